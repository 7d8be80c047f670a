#!/bin/bash
# The skinned frame of the demo window on the test desktop (openbox, tint2): the client area
# keeps its size in every skin (a screenshot of each is kept), a caption drag moves the
# window, a corner drag sizes it and reshapes it, the maximise button fills the work area
# beside tint2 and a caption double click gives the size back, the roll-up button rolls the
# window up to its frame and back, and the system menu opened with a right click on the
# caption closes the window with "关闭(&C)".
# Usage: SkinFrameScreen.sh DEMO SKINS_FOLDER OUTPUT_FOLDER
# Without a DISPLAY (no test desktop) the test is skipped (see ScreenTest.sh).
set -eu
. "$(dirname "$0")/../common/ScreenTest.sh"
demo=$1
skins=$2
out=$3
mkdir -p "$out"
# A value the demo printed: field() NAME gives "X Y".
field() { awk -v n="$1" '$1 == n {print $2, $3; exit}' "$tmp/out"; }
printed() { grep -q "^$1 " "$tmp/out"; }
# The window's place and size: sets X, Y, WIDTH, HEIGHT.
geometry() { eval "$(xdotool getwindowgeometry --shell "$wid")"; }
# The colour of a screen pixel.
pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- | awk 'NR == 2 {print $3}'; }
running() { kill -0 "$pid" 2>/dev/null; }
stopped() { ! running; }

# Starts the demo, with a skin folder or without (""), and waits for its window.
start_demo() {
    if [ -n "$1" ]; then
        "$demo" --skin "$1" --quit-after 60000 >"$tmp/out" 2>"$tmp/errors" &
    else
        "$demo" --skinned --quit-after 60000 >"$tmp/out" 2>"$tmp/errors" &
    fi
    pid=$!
    wait_for xdotool search --name "zarvo 皮肤演示" || fail "no demo window"
    wid=$(xdotool search --name "zarvo 皮肤演示" | head -1)
    wait_for mapped "$wid" || fail "demo window not mapped"
    wait_for printed clientsize || fail "the demo did not tell its frame"
    sleep 0.5
}
stop_demo() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=
}

# Every skin and the plain frame: the same client size; a screenshot of each.
for name in none skin1 skin2 skin3 skin4 skin5 skin6; do
    if [ "$name" = none ]; then start_demo ""; else start_demo "$skins/$name"; fi
    size=$(field clientsize)
    [ "$size" = "460 176" ] || fail "$name: client size $size, not 460 176"
    geometry
    import -window root -crop "$((WIDTH + 20))x$((HEIGHT + 20))+$((X - 10))+$((Y - 10))" \
        "$out/frame-$name.png"
    stop_demo
done

# The frame at work, in a skin with a shaped outline.
start_demo "$skins/skin3"
read -r cx cy < <(field caption)
read -r kx ky < <(field corner)
read -r mx my < <(field maxbutton)
read -r rx ry < <(field rollupbutton)
desktop=$(pixel 2 300)

# Dragging the caption moves the window by the drag.
geometry
x0=$X y0=$Y
xdotool mousemove --window "$wid" "$cx" "$cy" mousedown 1
for step in 1 2 3 4 5 6; do
    xdotool mousemove --window "$wid" $((cx + 10 * step)) $((cy + 7 * step))
    sleep 0.05
done
xdotool mouseup 1
sleep 0.5
geometry
[ "$X" -ne "$x0" ] && [ "$Y" -ne "$y0" ] || fail "the caption drag did not move the window ($x0,$y0 -> $X,$Y)"
import -window root "$out/frame-moved.png"

# Dragging the bottom-right corner sizes the window; its shape follows the new size.
w0=$WIDTH h0=$HEIGHT
xdotool mousemove --window "$wid" "$kx" "$ky" mousedown 1
for step in 1 2 3 4 5; do
    xdotool mousemove --window "$wid" $((kx + 12 * step)) $((ky + 8 * step))
    sleep 0.05
done
xdotool mouseup 1
sleep 0.7
geometry
[ "$WIDTH" -gt "$w0" ] && [ "$HEIGHT" -gt "$h0" ] || fail "the corner drag did not size the window (${w0}x$h0 -> ${WIDTH}x$HEIGHT)"
import -window root "$out/frame-sized.png"
# The cut top-right corner of the new size shows the desktop; the right border below it,
# outside the old size, shows the frame.
[ "$(pixel $((X + WIDTH - 1)) "$Y")" = "$desktop" ] || fail "the sized window's corner is not cut by its shape"
[ "$(pixel $((X + WIDTH - 2)) $((Y + 40)))" != "$desktop" ] || fail "the sized window's right border is not shown"

# Maximise: the work area beside tint2 (the caption buttons stay where they were found,
# at the right edge: the window grew to the right and down only).
read -r ax ay aw ah < <(xprop -root _NET_WORKAREA | sed 's/.*= //; s/,/ /g' | awk '{print $1, $2, $3, $4}')
geometry
xdotool mousemove --window "$wid" $((mx + WIDTH - w0)) "$my" click 1
sleep 0.7
geometry
[ "$X $Y $WIDTH $HEIGHT" = "$ax $ay $aw $ah" ] || fail "maximised to $X $Y $WIDTH $HEIGHT, work area $ax $ay $aw $ah"
import -window root "$out/frame-maximized.png"
# A double click on the caption of the maximised window gives the size back.
xdotool mousemove --window "$wid" "$cx" "$cy" click --repeat 2 --delay 80 1
sleep 0.7
geometry
[ "$WIDTH" -lt "$aw" ] || fail "the caption double click did not restore the window"
ws=$WIDTH hs=$HEIGHT

# The roll-up button rolls the window up to its frame and back.
xdotool mousemove --window "$wid" $((rx + ws - w0)) "$ry" click 1
sleep 0.7
geometry
[ "$HEIGHT" -lt "$hs" ] && [ "$HEIGHT" -lt 60 ] || fail "the roll-up button did not roll the window up (height $HEIGHT)"
import -window root "$out/frame-rolledup.png"
xdotool mousemove --window "$wid" $((rx + ws - w0)) "$ry" click 1
sleep 0.7
geometry
[ "$HEIGHT" -eq "$hs" ] || fail "rolling down gave height $HEIGHT, not $hs"

# A right click on the caption opens the system menu; "关闭(&C)" closes the window, which
# ends the demo.
xdotool mousemove --window "$wid" "$cx" "$cy" click 3
menu_open() { xdotool search --onlyvisible --class zarvo-demo | grep -vx "$wid" | head -1 | grep -q .; }
wait_for menu_open || fail "no system menu"
sleep 0.3
import -window root "$out/frame-system-menu.png"
xdotool key c
wait_for stopped || fail "关闭(&C) did not close the window"
pid=
echo "skinned frame: client size kept in every skin, moved, sized and reshaped, maximised, rolled up, closed from the system menu"
