# The small test desktop: Xvfb with the openbox window manager and the tint2 panel
# (a dock window with a notification area), and a sound server (PulseAudio with a null
# sink) so music really plays. Source this file, then call start_test_desktop (or
# start_test_desktops COUNT); it exports DISPLAY and PULSE_SERVER and stops everything when
# the shell exits.

start_test_desktop() {
  start_test_desktops 1
}

# Starts COUNT such desktops, each on the first free display from :90 on, and one sound
# server for all; exports DISPLAY (the first desktop) and TEST_DISPLAYS (all of them,
# space-separated).
start_test_desktops() {
  local count=$1 n=90 i
  DESKTOP_PIDS=()
  TEST_DISPLAYS=""
  for ((i = 0; i < count; ++i)); do
    while [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && ((n < 140)); do ((++n)); done
    start_desktop_on ":$n"
    TEST_DISPLAYS+="${TEST_DISPLAYS:+ }:$n"
    ((++n))
  done
  export DISPLAY=${TEST_DISPLAYS%% *} TEST_DISPLAYS
  start_sound_server
  sleep 1
  trap stop_test_desktop EXIT
}

start_desktop_on() {
  Xvfb "$1" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  DESKTOP_PIDS+=($!)
  local i
  for i in $(seq 1 50); do
    if DISPLAY=$1 xdpyinfo >/dev/null 2>&1; then break; fi
    sleep 0.1
  done
  DISPLAY=$1 openbox >/dev/null 2>&1 &
  DESKTOP_PIDS+=($!)
  DISPLAY=$1 tint2 >/dev/null 2>&1 &
  DESKTOP_PIDS+=($!)
}

# A private PulseAudio with one null sink, reached through its own socket (PULSE_SERVER),
# so tests neither need nor disturb a user's sound server. Runs as a normal user and as
# root; without pulseaudio installed the music tests skip themselves.
start_sound_server() {
  command -v pulseaudio >/dev/null || return 0
  SOUND_DIR=$(mktemp -d "${TMPDIR:-/tmp}/zarvo-sound.XXXXXX")
  HOME="$SOUND_DIR" XDG_CONFIG_HOME="$SOUND_DIR" XDG_RUNTIME_DIR="$SOUND_DIR" \
    pulseaudio -n --daemonize=no --system=no --use-pid-file=no --exit-idle-time=-1 \
      --disallow-exit --disable-shm=yes --log-target=stderr \
      -L "module-native-protocol-unix socket=$SOUND_DIR/native auth-anonymous=1" \
      -L "module-null-sink sink_name=zarvo_null" >"$SOUND_DIR/log" 2>&1 &
  DESKTOP_PIDS+=($!)
  export PULSE_SERVER="unix:$SOUND_DIR/native"
  # The server writes its cookie there (its HOME); clients then find one and stay quiet.
  export PULSE_COOKIE="$SOUND_DIR/pulse/cookie"
  local i
  for i in $(seq 1 50); do
    if [[ -S $SOUND_DIR/native ]]; then break; fi
    sleep 0.1
  done
}

stop_test_desktop() {
  local p
  for p in "${DESKTOP_PIDS[@]:-}"; do
    kill "$p" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  if [[ -n ${SOUND_DIR:-} ]]; then
    rm -rf "$SOUND_DIR"
    unset PULSE_SERVER PULSE_COOKIE SOUND_DIR
  fi
}
