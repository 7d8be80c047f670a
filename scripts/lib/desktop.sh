# The small test desktop: Xvfb with the openbox window manager and the tint2 panel
# (a dock window with a notification area). Source this file, then call
# start_test_desktop; it exports DISPLAY and stops everything when the shell exits.

start_test_desktop() {
  local n
  for n in $(seq 90 140); do
    if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then break; fi
  done
  export DISPLAY=":$n"
  Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  DESKTOP_PIDS=($!)
  local i
  for i in $(seq 1 50); do
    if xdpyinfo >/dev/null 2>&1; then break; fi
    sleep 0.1
  done
  openbox >/dev/null 2>&1 &
  DESKTOP_PIDS+=($!)
  tint2 >/dev/null 2>&1 &
  DESKTOP_PIDS+=($!)
  sleep 1
  trap stop_test_desktop EXIT
}

stop_test_desktop() {
  local p
  for p in "${DESKTOP_PIDS[@]:-}"; do
    kill "$p" 2>/dev/null || true
  done
  wait 2>/dev/null || true
}
