#!/bin/sh
# The program under a Wayland session, on weston's headless back end. With XWayland there
# it runs as an X11 client (its skinned windows place themselves) and prints nothing; without
# it, it runs on Wayland itself and its main window shows. Screenshots in OUTPUT_FOLDER.
# Usage: WaylandSession.sh PROGRAM_FOLDER OUTPUT_FOLDER; exits 77 without weston.
set -eu
program=$1/zarvofx
output=$2
command -v weston >/dev/null && command -v weston-screenshooter >/dev/null &&
  command -v Xwayland >/dev/null || { echo "no weston or Xwayland: skipped"; exit 77; }
tmp=$(mktemp -d)
weston_pid= program_pid=
stop() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  program_pid= weston_pid=
}
trap 'stop; rm -rf "$tmp"' EXIT
fail() {
  echo "FAILED: $*"
  exit 1
}
rm -rf "$output"
mkdir -p "$output"
chmod 700 "$tmp"
export XDG_RUNTIME_DIR="$tmp" WAYLAND_DISPLAY=zarvo-wayland XDG_SESSION_TYPE=wayland
export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config"
mkdir -p "$HOME"
unset QT_QPA_PLATFORM DISPLAY

# Starts weston with the options given; sets DISPLAY when it runs XWayland.
start_weston() {
  weston --backend=headless-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" --debug \
    --width=1280 --height=800 "$@" >"$tmp/weston.log" 2>&1 &
  weston_pid=$!
  for _ in $(seq 50); do
    [ -S "$tmp/$WAYLAND_DISPLAY" ] && break
    sleep 0.1
  done
  if [ "$*" = --xwayland ]; then
    for _ in $(seq 50); do
      display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$tmp/weston.log")
      [ -n "$display" ] && break
      sleep 0.1
    done
    [ -n "$display" ] || fail "XWayland did not start"
    export DISPLAY="$display"
  fi
}
shot() {
  (cd "$tmp" && rm -f wayland-screenshot-*.png && weston-screenshooter >/dev/null 2>&1 &&
    mv wayland-screenshot-*.png "$output/$1.png") || fail "no screenshot $1"
}
# The number of pixels that differ between two screenshots.
differ() {
  compare -metric AE "$output/$1.png" "$output/$2.png" null: 2>&1 || true
}

# With XWayland: an X11 client, quiet.
start_weston --xwayland
"$program" >"$output/xwayland.log" 2>&1 &
program_pid=$!
window=
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | head -1) || true
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || fail "the main window is no X11 window under XWayland"
sleep 1
shot xwayland
[ ! -s "$output/xwayland.log" ] || fail "it printed: $(cat "$output/xwayland.log")"
stop
unset DISPLAY

# Without XWayland: on Wayland itself, the window shows.
start_weston
shot wayland-empty
"$program" >"$output/wayland.log" 2>&1 &
program_pid=$!
sleep 5
kill -0 "$program_pid" 2>/dev/null || fail "it ended on Wayland: $(cat "$output/wayland.log")"
shot wayland
awk -v n="$(differ wayland-empty wayland)" 'BEGIN { exit !(n > 100000) }' ||
  fail "no main window on Wayland"
echo "passed"
