#!/bin/sh
# Starts the framework demo on the test desktop and keeps its screenshot for people to
# look at. Usage: ControlsDemoScreen.sh DEMO OUTPUT_FOLDER
# Without a DISPLAY (no test desktop) the test is skipped.
set -eu
if [ -z "${DISPLAY:-}" ]; then
    echo "no DISPLAY: skipped"
    exit 77
fi
demo=$1
out=$2
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb
shot="$out/zarvo-demo.png"
rm -f "$shot"
timeout 60 "$demo" --screenshot "$shot" --quit-after 2500
test -s "$shot"
echo "screenshot: $shot"
