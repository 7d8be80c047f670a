#!/bin/bash
# The program on a desktop of scale 2 (a 2560x1600 screen of its own with openbox), in two
# skins and both ways to ask for that scale (QT_SCALE_FACTOR=2 on a 96-dpi desktop, a 192-dpi
# desktop: Xft.dpi), against the same skin at scale 1 (both at once make 4): the window is
# twice the size with the same layout (the scale-2 picture, softened a little, is the
# scale-1 picture at twice the size: text drawn anew and pictures scaled smoothly differ only
# in their fine detail), the frame's shape follows the scale (the corners the mask cuts off
# show the desktop); the skin demo's sizeable frame sizes from a drag at its scaled corner,
# and its shape follows the new size; the caption's text and an open menu are sharp (drawn
# at scale 2, not drawn at scale 1 and enlarged). Screenshots in OUTPUT_FOLDER.
# Usage: HiDpiSession.sh PROGRAM_FOLDER OUTPUT_FOLDER; exits 77 without Xvfb or openbox.
set -eu
staged=$(cd "$1" && pwd)
out=$2
for tool in Xvfb openbox xdotool xprop import compare; do
    command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done
tmp=$(mktemp -d)
xvfb= wm= pid=
stop_program() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    [ -n "$pid" ] && wait "$pid" 2>/dev/null || true
    pid=
}
cleanup() {
    stop_program
    for p in $wm $xvfb; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
    echo "FAILED: $*"
    exit 1
}
rm -rf "$out"
mkdir -p "$out"

# The desktop: a large screen of its own, so the doubled windows fit.
for n in $(seq 141 190); do
    [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ] && break
done
export DISPLAY=":$n"
Xvfb "$DISPLAY" -screen 0 2560x1600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
wm=$!
sleep 0.5

program=$tmp/program
. "$(dirname "$0")/ProgramFolder.sh"
make_program_folder "$staged" "$program"
export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/config XDG_RUNTIME_DIR=$tmp/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb

# The window's place and size: sets X, Y, WIDTH, HEIGHT.
geometry() { eval "$(xdotool getwindowgeometry --shell "$wid")"; }
# Pictures the window (PNG), its place and size as `geometry` last found them.
shoot() { import -window root -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage "$1"; }
# Starts the program in SKIN with QT_SCALE_FACTOR=FACTOR on a desktop of DPI dots per inch.
start_program() {
    local skin=$1 factor=$2 dpi=$3
    xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	$dpi
"
    printf '[Skins]\r\nSkins=skins\\%s\\skin.ini\r\n' "$skin" >"$program/zarvofx.Ini"
    QT_SCALE_FACTOR=$factor "$program/zarvofx" >"$out/$skin-$factor-$dpi.log" 2>&1 &
    pid=$!
    wid=
    for _ in $(seq 100); do
        wid=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1) || true
        [ -n "$wid" ] && break
        sleep 0.2
    done
    [ -n "$wid" ] || fail "$skin, factor $factor, $dpi dpi: no main window"
    geometry
    settle
}
# Waits (up to 5 s) until two screenshots of the window a moment apart are the same but for
# a blinking caret or the clock.
settle() {
    shoot "$tmp/before.png"
    for _ in $(seq 20); do
        sleep 0.25
        shoot "$tmp/after.png"
        awk -v n="$(differing "$tmp/before.png" "$tmp/after.png")" 'BEGIN { exit !(n < 500) }' && return
        mv "$tmp/after.png" "$tmp/before.png"
    done
}
# The pixels of PICTURE that show the desktop white, all others black: the black (the screen
# has no background) reached from the picture's corners, so black pixels of a skin inside the
# window, which smooth scaling softens, do not count.
desktop_map() {
    local w h corner fills=()
    w=$(identify -format '%w' "$1")
    h=$(identify -format '%h' "$1")
    for corner in "0,0" "$((w - 1)),0" "0,$((h - 1))" "$((w - 1)),$((h - 1))"; do
        [ "$(convert "$1" -format "%[fx:p{$corner}.r + p{$corner}.g + p{$corner}.b == 0]" info:)" = 1 ] &&
            fills+=(-draw "color $corner floodfill")
    done
    convert "$1" -fill '#010101' -opaque white -fill white "${fills[@]}" \
        -fill black +opaque white "$2"
}
# The number of differing pixels of two pictures of one size.
differing() { compare -metric AE "$1" "$2" null: 2>&1 || true; }
# A corner of PICTURE, SIZE pixels square: tl, tr, bl or br.
corner() {
    local gravity
    case $3 in tl) gravity=NorthWest ;; tr) gravity=NorthEast ;; bl) gravity=SouthWest ;; *) gravity=SouthEast ;; esac
    convert "$1" -gravity "$gravity" -crop "${2}x$2+0+0" +repage "$4"
}
# The skin demo's sizeable frame in SKIN at scale 2 (FACTOR, DPI): a drag that starts at its
# sizing corner (the demo prints it in the window's own, unscaled, pixels) sizes the window,
# and the corners its shape cuts off stay cut at the new size. Sets SIZED ("W0xH0 -> W1xH1").
check_sizing() {
    local skin=$1 factor=$2 dpi=$3 kx ky
    xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	$dpi
"
    QT_SCALE_FACTOR=$factor "$staged/zarvo-demo" --skin "$staged/skins/$skin" \
        --quit-after 60000 >"$tmp/demo.out" 2>"$out/$skin-demo.log" &
    pid=$!
    for _ in $(seq 100); do grep -q '^corner ' "$tmp/demo.out" && break; sleep 0.1; done
    read -r kx ky < <(awk '$1 == "corner" {print $2, $3}' "$tmp/demo.out")
    [ -n "$kx" ] || fail "$skin: the demo did not tell its sizing corner"
    wid=$(xdotool search --onlyvisible --pid "$pid" | head -1)
    sleep 0.5
    geometry
    local w0=$WIDTH h0=$HEIGHT gx=$((X + 2 * kx)) gy=$((Y + 2 * ky))
    shoot "$tmp/demo.png"
    desktop_map "$tmp/demo.png" "$tmp/demo-map.png"
    xdotool mousemove "$gx" "$gy" mousedown 1
    for step in 1 2 3 4 5; do
        xdotool mousemove $((gx + 16 * step)) $((gy + 10 * step))
        sleep 0.05
    done
    xdotool mouseup 1
    sleep 0.7
    geometry
    [ "$WIDTH" -gt "$w0" ] && [ "$HEIGHT" -gt "$h0" ] ||
        fail "$skin: a drag at the scaled corner did not size the window (${w0}x$h0 -> ${WIDTH}x$HEIGHT)"
    shoot "$out/$skin-demo-sized.png"
    desktop_map "$out/$skin-demo-sized.png" "$tmp/sized-map.png"
    for c in tl tr bl br; do
        corner "$tmp/demo-map.png" 24 $c "$tmp/a.png"
        corner "$tmp/sized-map.png" 24 $c "$tmp/b.png"
        [ "$(differing "$tmp/a.png" "$tmp/b.png")" = 0 ] ||
            fail "$skin: the sized window's $c corner has lost its shape"
    done
    SIZED="${w0}x$h0 -> ${WIDTH}x$HEIGHT"
    stop_program
}
# How sharp PICTURE is: the share of its 2 x 2 pixel blocks (at even places) whose pixels
# differ by more than a quarter of the full range. Text drawn at scale 2 has many; text drawn
# at half the size has none when doubled and few when enlarged smoothly (about 0.005).
sharpness() {
    convert "$1" \( +clone -sample 50% -sample 200% \) -compose difference -composite \
        -colorspace gray -threshold 25% -format '%[fx:mean]' info:
}
# The layout of two pictures of one size differs in this many pixels: both softened (a blur
# of 2 pixels) and compared with a tolerance, so sharper text and smoother pictures count
# little and a control one scale-1 pixel out of place counts.
layout_differing() {
    convert "$1" -blur 0x2 "$tmp/soft1.png"
    convert "$2" -blur 0x2 "$tmp/soft2.png"
    compare -metric AE -fuzz 15% "$tmp/soft1.png" "$tmp/soft2.png" null: 2>&1 || true
}

for run in "skin1 2 96" "skin3 1 192"; do
    read -r skin factor dpi <<<"$run"
    start_program "$skin" 1 96
    w1=$WIDTH h1=$HEIGHT
    shoot "$out/$skin-scale1.png"
    stop_program

    start_program "$skin" "$factor" "$dpi"
    [ "$WIDTH" -eq $((2 * w1)) ] && [ "$HEIGHT" -eq $((2 * h1)) ] ||
        fail "$skin: ${WIDTH}x$HEIGHT at scale 2, ${w1}x$h1 at scale 1"
    shoot "$out/$skin-scale2.png"

    # The same layout: the scale-1 picture doubled differs in fine detail only.
    convert "$out/$skin-scale1.png" -sample 200% "$tmp/doubled.png"
    changed=$(layout_differing "$tmp/doubled.png" "$out/$skin-scale2.png")
    awk -v c="$changed" -v a=$((WIDTH * HEIGHT)) 'BEGIN { exit !(c < a / 50) }' ||
        fail "$skin: the layout at scale 2 differs in $changed pixels from scale 1's"

    # The shape: each corner cut off at scale 1 is cut off at twice the size at scale 2.
    desktop_map "$tmp/doubled.png" "$tmp/doubled-map.png"
    desktop_map "$out/$skin-scale2.png" "$tmp/scale2-map.png"
    for c in tl tr bl br; do
        corner "$tmp/doubled-map.png" 24 $c "$tmp/a.png"
        corner "$tmp/scale2-map.png" 24 $c "$tmp/b.png"
        [ "$(differing "$tmp/a.png" "$tmp/b.png")" = 0 ] || fail "$skin: the $c corner's shape does not follow the scale"
    done

    # An open menu is sharp too: "文件(&F)" at the left of the menu bar opens its menu over
    # the top-left of the client area (689 x 449; its places doubled).
    border=$(((WIDTH - 2 * 689) / 2))
    cx=$((X + border)) cy=$((Y + HEIGHT - 2 * 449 - border))
    xdotool mousemove $((cx + 40)) $((cy + 22)) click 1
    sleep 1
    import -window root -crop "240x200+$((cx + 20))+$((cy + 52))" +repage "$out/$skin-menu.png"
    xdotool key Escape
    menu_sharp=$(sharpness "$out/$skin-menu.png")
    awk -v s="$menu_sharp" 'BEGIN { exit !(s >= 0.02) }' ||
        fail "$skin: the open menu is not sharp at scale 2 (sharpness $menu_sharp, at least 0.02)"
    stop_program
    check_sizing "$skin" "$factor" "$dpi"

    # The caption's text, measured where the title is drawn (the fixed program: about 0.045).
    convert "$out/$skin-scale2.png" -crop "${w1}x40+$((w1 / 2))+4" +repage "$tmp/caption.png"
    sharp=$(sharpness "$tmp/caption.png")
    echo "$skin (QT_SCALE_FACTOR=$factor, $dpi dpi): ${w1}x$h1 -> $((2 * w1))x$((2 * h1));" \
        "layout kept ($changed pixels differ); shape scaled; the demo sized from its scaled" \
        "corner, $SIZED; caption sharpness $sharp, menu sharpness $menu_sharp"
    awk -v s="$sharp" 'BEGIN { exit !(s >= 0.02) }' ||
        fail "$skin: the caption is not sharp at scale 2 (sharpness $sharp, at least 0.02)"
done
echo "passed"
