# What every on-screen test script shares; source it right after `set -eu`.
# Skips the test (exit 77) without a DISPLAY (no test desktop); otherwise gives the test a
# temporary HOME and XDG folders, removed at exit together with the process in $pid, and
# the helpers fail, wait_for and mapped.
if [ -z "${DISPLAY:-}" ]; then
    echo "no DISPLAY: skipped"
    exit 77
fi
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
