#!/bin/bash
# The skinned file dialogs on the test desktop, driven by zarvo-demo --dialogs: the save
# dialog entered into a folder by a double click, Up, a typed name and Enter, checked by the
# path it returns; the open dialog on a folder of music files with a media filter, checked
# by what it lists; the four view styles; screenshots in two skins.
# Usage: DialogsScreen.sh DEMO SKIN_A SKIN_B OUTPUT_FOLDER
# Without a DISPLAY (no test desktop) the test is skipped (see ScreenTest.sh).
set -eu
. "$(dirname "$0")/../common/ScreenTest.sh"
demo=$1
skin_a=$2
skin_b=$3
out=$4
mkdir -p "$out"
# A failure shows what the demo printed.
fail() {
    echo "FAILED: $*"
    [ -f "$tmp/run.out" ] && cat "$tmp/run.out"
    [ -f "$tmp/run.err" ] && cat "$tmp/run.err"
    exit 1
}
ready() { grep -q '^ready$' "$tmp/run.out"; }
# The screen position the demo printed for a part: "NAME X Y".
at() { awk -v n="$1" '$1 == n {print $2, $3; exit}' "$tmp/run.out"; }
click_at() {
    local xy
    xy=$(at "$1")
    [ -n "$xy" ] || fail "no position for $1"
    set -- $xy "${@:2}"
    xdotool mousemove "$(($1 + ${3:-8}))" "$(($2 + ${4:-8}))"
    sleep 0.2
}
finished() { ! kill -0 "$pid" 2>/dev/null; }
# Starts the demo in the background; its output file is emptied first, since the
# background shell opens it only later.
start_demo() {
    : >"$tmp/run.out"
    "$demo" "$@" >"$tmp/run.out" 2>"$tmp/run.err" &
    pid=$!
}

mkdir -p "$tmp/work/alpha" "$tmp/work/beta"
echo page >"$tmp/work/old.htm"
mkdir -p "$tmp/music"
for f in a.mp3 b.wma c.txt d.ogg e.MP3; do echo x >"$tmp/music/$f"; done

# --- save: double click into "alpha", Up, a typed name, Enter.
start_demo --dialogs save --skin "$skin_a" --initial-dir "$tmp/work" --file-name start.htm \
    --quit-after 30000
wait_for ready || fail "the save dialog did not come up"
sleep 0.5
import -window root "$out/save-dialog.png"
grep -q '^item alpha$' "$tmp/run.out" || fail "alpha not listed"
click_at item:alpha
xdotool click --repeat 2 --delay 80 1
sleep 0.6
click_at up
xdotool click 1
sleep 0.6
click_at edit
xdotool click 1 key ctrl+a type "saved.htm"
xdotool key Return
wait_for finished || fail "Enter did not close the save dialog"
wait "$pid" || true
pid=
grep -q "^accepted $tmp/work/saved.htm\$" "$tmp/run.out" || fail "wrong save path"

# --- open: only the media files are listed; the four view styles in both skins.
for skin in "$skin_a" "$skin_b"; do
    name=$(basename "$skin")
    start_demo --dialogs open --skin "$skin" --initial-dir "$tmp/music" \
        --filter "媒体文件|*.mp3;*.wma|所有文件|*.*" --quit-after 30000
    wait_for ready || fail "the open dialog did not come up in $name"
    sleep 0.5
    listed=$(awk '$1 == "item" {print $2}' "$tmp/run.out" | sort | tr '\n' ' ')
    [ "$listed" = "a.mp3 b.wma e.MP3 " ] || fail "listed: $listed"
    for view in 0 1 2 3; do
        click_at "view$view"
        xdotool click 1
        sleep 0.5
        import -window root "$out/open-$name-view$view.png"
    done
    xdotool key Escape
    wait_for finished || fail "Escape did not close the open dialog"
    wait "$pid" || true
    pid=
    grep -q '^cancelled$' "$tmp/run.out" || fail "Escape did not cancel"
done
echo "dialogs screen: ok"
