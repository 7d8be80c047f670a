#!/bin/bash
# The program on Wayland itself (QT_QPA_PLATFORM=wayland), driven by a user's mouse: weston
# runs as a window of the test desktop (its X11 back end, the only one of weston's that takes
# input from outside; the headless one has none) with the kiosk shell, which centres each
# window on its output. A click on "文件(F)" opens the menu below it, a click on
# "添加特效" opens the add dialog; the screenshots of each step are checked and kept in
# OUTPUT_FOLDER. Usage: WaylandInput.sh PROGRAM_FOLDER OUTPUT_FOLDER
# Skipped without a DISPLAY (see ScreenTest.sh), weston or Qt's Wayland platform.
set -eu
. "$(dirname "$0")/../common/ScreenTest.sh"
staged=$(cd "$1" && pwd)
out=$2
plugins=$(qtpaths6 --plugin-dir 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)
[ -e "$plugins/platforms/libqwayland-generic.so" ] && command -v weston >/dev/null ||
    { echo "no weston or Qt Wayland platform: skipped"; exit 77; }
rm -rf "$out"
mkdir -p "$out"

program=$tmp/program
. "$(dirname "$0")/ProgramFolder.sh"
make_program_folder "$staged" "$program"

weston=
cleanup_weston() {
    # Ended before weston, which waits for its clients.
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true
    pid=
    [ -n "$weston" ] && kill "$weston" 2>/dev/null && wait "$weston" 2>/dev/null || true
    cleanup
}
trap cleanup_weston EXIT
weston --backend=x11-backend.so --shell=kiosk-shell.so --use-pixman --socket=zarvo-wayland \
    --width=1280 --height=800 >"$out/weston.log" 2>&1 &
weston=$!
output=
for _ in $(seq 50); do
    output=$(xwininfo -root -tree | awk '/"Weston Compositor/ {print $1; exit}')
    [ -n "$output" ] && break
    sleep 0.2
done
[ -n "$output" ] || fail "weston shows no window: $(xwininfo -root -tree | grep -i weston)"
wait_for mapped "$output" || fail "weston's window is not shown"
# Where weston's output shows on the screen: inside the window manager's frame, as much as
# fits beside the panel. (A window of weston's that fits unchanged took no clicks here.)
geometry() { xwininfo -id "$output" | awk -v k="$1" '$0 ~ k {print $NF}'; }
ox=$(geometry "Absolute upper-left X") oy=$(geometry "Absolute upper-left Y")
ow=$(geometry "Width") oh=$(geometry "Height")

WAYLAND_DISPLAY=zarvo-wayland QT_QPA_PLATFORM=wayland "$program/zarvofx" >"$out/program.log" 2>&1 &
pid=$!
# A screenshot of weston's output.
shot() { import -window root -crop "${ow}x$oh+$ox+$oy" +repage "$out/$1.png"; }
# The number of pixels in W x H + X + Y that differ between two screenshots.
region_change() {
    local part="$3x$4+$5+$6"
    convert "$out/$1.png" -crop "$part" +repage "$tmp/a.png"
    convert "$out/$2.png" -crop "$part" +repage "$tmp/b.png"
    compare -metric AE "$tmp/a.png" "$tmp/b.png" null: 2>&1 || true
}
# A click at client X, Y of the main window.
click() {
    xdotool mousemove $((ox + client_x + $1)) $((oy + client_y + $2)) click 1
}
at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a >= b) }'; }

# The main window (the plain frame round a 689x449 client area): where the output is not
# black.
mw=$((689 + 6)) mh=$((449 + 22 + 3))
for _ in $(seq 50); do
    shot main
    box=$(convert "$out/main.png" -fill white +opaque black -trim -format '%w %h %X %Y' info: 2>/dev/null)
    [ "${box%% *}" = "$mw" ] && break
    sleep 0.2
done
sleep 2
shot main
read -r w h mx my <<<"$(convert "$out/main.png" -fill white +opaque black -trim -format '%w %h %X %Y' info:)"
[ "$w $h" = "$mw $mh" ] || fail "no main window of ${mw}x$mh on the output (${w}x$h)"
mx=${mx#+} my=${my#+}
client_x=$((mx + 3)) client_y=$((my + 22))
kill -0 "$pid" 2>/dev/null || fail "it ended on Wayland: $(cat "$out/program.log")"

# "文件(F)" at the left of the menu bar: its menu opens below it, in the window's code
# window, which shows nothing else there.
# (The first click may only give weston's keyboard focus to the window: tried again.)
for _ in 1 2 3; do
    click 22 10
    sleep 1
    shot menu
    at_least "$(region_change main menu 120 80 $((client_x + 2)) $((client_y + 26)))" 2000 &&
        break
done
at_least "$(region_change main menu 120 80 $((client_x + 2)) $((client_y + 26)))" 2000 ||
    fail "no menu below 文件(F)"

# Away from the menu it closes; "添加特效" then opens the add dialog over the main window.
click 544 200
sleep 0.7
click 544 391
sleep 1.5
shot add
at_least "$(region_change main add 300 200 $((mx + mw / 2 - 150)) $((my + mh / 2 - 100)))" 20000 ||
    fail "no add dialog in the middle of the output"
[ ! -s "$out/program.log" ] || fail "it printed: $(cat "$out/program.log")"
echo "passed: on Wayland the main window, its menu and the add dialog show"
