#!/bin/bash
# The skinned demo window on the test desktop: a message box answered with the keyboard,
# minimising into tint2's tray (the window unmapped, our icon docked in the tray), the
# icon's skinned menu on the right button bringing the window back, and after minimising
# again a double click on the icon doing the same. Screenshots are kept in the output
# folder. Usage: SkinDemoScreen.sh DEMO SKIN_FOLDER OUTPUT_FOLDER
# Without a DISPLAY (no test desktop) the test is skipped (see ScreenTest.sh).
set -eu
. "$(dirname "$0")/../common/ScreenTest.sh"
demo=$1
skin=$2
out=$3
mkdir -p "$out"
unmapped() { xwininfo -id "$1" | grep -q "IsUnMapped"; }
# The tray entry of the demo: a window named like the program below tint2's window.
tray_icon() { xwininfo -root -tree | awk '/"tint2"/ {t=1} t && /"zarvo-demo": \("zarvo-demo"/ && /22x22|16x16|24x24/ {print $1; exit}'; }
has_tray_icon() { [ -n "$(tray_icon)" ]; }
# The open popup menu of the demo: a viewable top-level of the demo that is neither its
# window nor a tray entry.
menu_window() {
    local w
    for w in $(xdotool search --onlyvisible --class zarvo-demo); do
        [ "$w" = "$wid" ] && continue
        xwininfo -id "$w" | grep -q "Override Redirect State: yes" || continue
        echo "$w"
        return 0
    done
    return 1
}
answered() { grep -q "^answer $1\$" "$tmp/answers"; }
# The demo prints its client area's place in the window once shown.
client_known() { grep -q "^client " "$tmp/answers"; }
# Moves the pointer to a client point of the demo window and clicks there.
click_client() {
    xdotool mousemove --window "$wid" $(($1 + CX)) $(($2 + CY)) click 1
}

"$demo" --skin "$skin" --quit-after 40000 >"$tmp/answers" 2>"$tmp/errors" &
pid=$!
wait_for xdotool search --name "zarvo 皮肤演示" || fail "no demo window"
wid=$(xdotool search --name "zarvo 皮肤演示" | head -1)
wait_for mapped "$wid" || fail "demo window not mapped"
wait_for client_known || fail "the demo did not tell its client area"
read -r CX CY < <(awk '/^client / {print $2, $3; exit}' "$tmp/answers")
sleep 0.5

# The confirmation box (fourth button), answered No with Escape, then Yes with Enter.
click_client 314 74
wait_for xdotool search --name "^确认$" || fail "no confirmation box"
sleep 0.3
import -window root "$out/skin-demo-box.png"
xdotool key Escape
wait_for answered 7 || fail "Escape did not answer No (7)"
xdotool mousemove --window "$wid" $((5 + CX)) $((166 + CY))
sleep 0.2
click_client 314 74
wait_for xdotool search --name "^确认$" || fail "no second confirmation box"
sleep 0.3
xdotool key Return
wait_for answered 6 || fail "Enter did not answer Yes (6)"

# Minimise to the tray.
click_client 70 148
wait_for unmapped "$wid" || fail "the window stayed mapped"
wait_for has_tray_icon || fail "no icon in the tray"
import -window root "$out/skin-demo-tray.png"

# The right button opens the skinned tray menu at the cursor; its first item "恢复"
# restores the window. (once docked: the tray moves the icon into place after embedding it)
sleep 0.5
icon=$(tray_icon)
eval "$(xdotool getwindowgeometry --shell "$icon")"
xdotool mousemove $((X + 8)) $((Y + 8))
sleep 0.3
xdotool click 3
wait_for menu_window || fail "no tray menu"
sleep 0.3
import -window root "$out/skin-demo-tray-menu.png"
menu=$(menu_window)
eval "$(xdotool getwindowgeometry --shell "$menu")"
xdotool mousemove $((X + 30)) $((Y + 12))
sleep 0.2
xdotool click 1
wait_for mapped "$wid" || fail "the tray menu's 恢复 did not bring the window back"
sleep 0.5

# Into the tray again; a double click on the icon restores the window.
click_client 70 148
wait_for unmapped "$wid" || fail "the window stayed mapped the second time"
wait_for has_tray_icon || fail "no icon in the tray the second time"
sleep 0.5
icon=$(tray_icon)
eval "$(xdotool getwindowgeometry --shell "$icon")"
xdotool mousemove $((X + 8)) $((Y + 8))
sleep 0.3
xdotool click --repeat 2 --delay 60 1
wait_for mapped "$wid" || fail "the double click did not bring the window back"
import -window root "$out/skin-demo-restored.png"
echo "skinned demo: box answered, minimised to the tray and restored"
