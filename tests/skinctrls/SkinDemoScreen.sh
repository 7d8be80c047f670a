#!/bin/bash
# The skinned demo window on the test desktop: a message box answered with the keyboard,
# minimising into tint2's tray (the window unmapped, our icon docked in the tray), and a
# double click on the icon bringing the window back. Screenshots are kept in the output
# folder. Usage: SkinDemoScreen.sh DEMO SKIN_FOLDER OUTPUT_FOLDER
# Without a DISPLAY (no test desktop) the test is skipped.
set -eu
if [ -z "${DISPLAY:-}" ]; then
    echo "no DISPLAY: skipped"
    exit 77
fi
demo=$1
skin=$2
out=$3
mkdir -p "$out"
tmp=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb

fail() {
    echo "FAILED: $*"
    exit 1
}
# Waits up to 5 s for a command to succeed.
wait_for() {
    for _ in $(seq 50); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    return 1
}
mapped() { xwininfo -id "$1" | grep -q "IsViewable"; }
unmapped() { xwininfo -id "$1" | grep -q "IsUnMapped"; }
# The tray entry of the demo: a window named like the program below tint2's window.
tray_icon() { xwininfo -root -tree | awk '/"tint2"/ {t=1} t && /"zarvo-demo": \("zarvo-demo"/ && /22x22|16x16|24x24/ {print $1; exit}'; }
has_tray_icon() { [ -n "$(tray_icon)" ]; }
answered() { grep -q "^answer $1\$" "$tmp/answers"; }

"$demo" --skin "$skin" --quit-after 40000 >"$tmp/answers" 2>"$tmp/errors" &
pid=$!
wait_for xdotool search --name "zarvo 皮肤演示" || fail "no demo window"
wid=$(xdotool search --name "zarvo 皮肤演示" | head -1)
wait_for mapped "$wid" || fail "demo window not mapped"
sleep 0.5

# The confirmation box (fourth button), answered No with Escape, then Yes with Enter.
xdotool mousemove --window "$wid" 314 48 click 1
wait_for xdotool search --name "^确认$" || fail "no confirmation box"
sleep 0.3
import -window root "$out/skin-demo-box.png"
xdotool key Escape
wait_for answered 7 || fail "Escape did not answer No (7)"
xdotool mousemove --window "$wid" 5 140
sleep 0.2
xdotool mousemove --window "$wid" 314 48 click 1
wait_for xdotool search --name "^确认$" || fail "no second confirmation box"
sleep 0.3
xdotool key Return
wait_for answered 6 || fail "Enter did not answer Yes (6)"

# Minimise to the tray.
xdotool mousemove --window "$wid" 70 122 click 1
wait_for unmapped "$wid" || fail "the window stayed mapped"
wait_for has_tray_icon || fail "no icon in the tray"
import -window root "$out/skin-demo-tray.png"

# A double click on the icon restores the window.
# (once docked: the tray moves the icon into place after embedding it)
sleep 0.5
icon=$(tray_icon)
eval "$(xdotool getwindowgeometry --shell "$icon")"
xdotool mousemove $((X + 8)) $((Y + 8))
sleep 0.3
xdotool click --repeat 2 --delay 60 1
wait_for mapped "$wid" || fail "the double click did not bring the window back"
import -window root "$out/skin-demo-restored.png"
echo "skinned demo: box answered, minimised to the tray and restored"
