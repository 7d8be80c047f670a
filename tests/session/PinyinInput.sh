#!/bin/bash
# Chinese typed through an input method: fcitx5 with its pinyin engine on the test desktop
# (a session bus of the test's own), the program started with QT_IM_MODULE=fcitx. Ctrl+Space
# switches pinyin on; "shi jian te xiao xi lie", each word taken with Space, enters the
# category "时间特效系列" into the main window's category box (which then lists that
# category), and in the add dialog the category and the name "雪花" ("xue hua"); the effect
# file that "添加" writes carries both. Screenshots in OUTPUT_FOLDER.
# Usage: PinyinInput.sh PROGRAM_FOLDER OUTPUT_FOLDER
# Skipped without a DISPLAY (see ScreenTest.sh), fcitx5, its pinyin engine or its Qt 6 module.
set -eu
. "$(dirname "$0")/../common/ScreenTest.sh"
staged=$(cd "$1" && pwd)
out=$2
plugins=$(qtpaths6 --plugin-dir 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)
for need in /usr/bin/fcitx5 /usr/bin/fcitx5-remote /usr/share/fcitx5/addon/pinyin.conf \
    "$plugins/platforminputcontexts/libfcitx5platforminputcontextplugin.so"; do
    [ -e "$need" ] || { echo "no $need: skipped"; exit 77; }
done
rm -rf "$out"
mkdir -p "$out"
category=时间特效系列
effect=雪花

# The program folder: the staged program, its pictures, a library with the category.
program=$tmp/program
. "$(dirname "$0")/ProgramFolder.sh"
make_program_folder "$staged" "$program"
mkdir -p "$program/data/$category"
printf '<p>old</p>\r\n' >"$program/data/$category/旧特效"

# The input method: English keys and pinyin, switched with Ctrl+Space, one state for all
# windows.
mkdir -p "$XDG_CONFIG_HOME/fcitx5"
cat >"$XDG_CONFIG_HOME/fcitx5/profile" <<'EOF'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=pinyin

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=pinyin
Layout=

[GroupOrder]
0=Default
EOF
cat >"$XDG_CONFIG_HOME/fcitx5/config" <<'EOF'
[Hotkey/TriggerKeys]
0=Control+space

[Behavior]
ShareInputState=All
EOF
bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS=${bus%%$'\n'*}
bus_pid=${bus##*$'\n'}
fcitx=
cleanup_input() {
    # fcitx5 saves its settings as it ends: the folder goes after it.
    [ -n "$fcitx" ] && kill "$fcitx" 2>/dev/null && wait "$fcitx" 2>/dev/null || true
    kill "$bus_pid" 2>/dev/null || true
    cleanup
}
trap cleanup_input EXIT
fcitx5 --disable=kimpanel,notificationitem,clipboard,emoji,quickphrase,cloudpinyin \
    >"$out/fcitx5.log" 2>&1 &
fcitx=$!
# Ready once it answers on the bus with its pinyin engine loaded.
for _ in $(seq 100); do
    grep -q "Loaded addon pinyin" "$out/fcitx5.log" && fcitx5-remote >/dev/null 2>&1 && break
    sleep 0.1
done
fcitx5-remote >/dev/null 2>&1 || fail "fcitx5 does not start: $(tail -5 "$out/fcitx5.log")"

QT_IM_MODULE=fcitx "$program/zarvofx" >"$out/program.log" 2>&1 &
pid=$!

# A window of the program by its title: sets X, Y, WIDTH, HEIGHT and the client area's
# top-left (LEFT, TOP) for a client area of the size given (the frame is even all round
# but for the caption).
find_window() {
    local title=$1 client_width=$2 client_height=$3
    wid=
    for _ in $(seq 100); do
        wid=$(xdotool search --all --onlyvisible --pid "$pid" --name "^$title\$" 2>/dev/null | head -1) || true
        [ -n "$wid" ] && break
        sleep 0.2
    done
    [ -n "$wid" ] || fail "no window \"$title\""
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    local border=$(((WIDTH - client_width) / 2))
    LEFT=$((X + border)) TOP=$((Y + HEIGHT - client_height - border))
}
click() {
    xdotool mousemove $((LEFT + $1)) $((TOP + $2))
    sleep 0.15
    xdotool click 1
    sleep 0.3
}
# The input method's state: 2 while pinyin is on, 1 while off.
state() { fcitx5-remote; }
switch_to() {
    xdotool key ctrl+space
    sleep 0.3
    [ "$(state)" = "$1" ] || fail "Ctrl+Space did not switch the input method (state $(state))"
}
# Types the pinyin syllables of one word and takes its first candidate with Space.
word() {
    xdotool type --delay 80 "$1"
    sleep 0.3
    xdotool key space
    sleep 0.3
}
type_category() {
    word shijian
    word texiao
    word xilie
}
error_shown() { xdotool search --all --onlyvisible --pid "$pid" --name "^错误\$" >/dev/null 2>&1; }

# The main window: the category typed in pinyin lists the category, with no message.
find_window "zarvo网页特效2008 qirra版" 689 449
main_left=$LEFT main_top=$TOP
list() { import -window root -crop "160x60+$((main_left + 8))+$((main_top + 24 + 45))" +repage "$1"; }
list "$tmp/list-empty.png"
click $((8 + 60)) $((24 + 24 + 10))
xdotool key ctrl+a
[ "$(state)" = 1 ] || fail "the input method is on before Ctrl+Space"
switch_to 2
type_category
xdotool key Return
listed() {
    list "$tmp/list.png"
    [ "$(compare -metric AE "$tmp/list-empty.png" "$tmp/list.png" null: 2>&1 || true)" != 0 ]
}
wait_for listed || true
import -window root "$out/main-category.png"
error_shown && fail "the category typed in pinyin was refused (screenshot main-category.png)"
listed || fail "the category typed in pinyin lists nothing (screenshot main-category.png)"

# The add dialog: category and name in pinyin, the code in plain keys; "添加" writes it.
click $((179 + 328 + 75 / 2)) $((24 + 323 + 32 + 12))
find_window "zarvo特效添加" 369 358
click $((131 + 60)) $((31 + 10))
xdotool key ctrl+a
type_category
click $((131 + 60)) $((63 + 10))
word xuehua
switch_to 1
click $((30 + 100)) $((119 + 40))
xdotool type --delay 40 "<p>snow</p>"
sleep 0.3
import -window root "$out/add-dialog.png"
click $((62 + 37)) $((315 + 12))
added="$program/data/$category/$effect"
wait_for test -f "$added" || true
import -window root "$out/added.png"
[ -f "$added" ] || fail "no effect $category/$effect was added: $(ls "$program/data"/*) (screenshot added.png)"
[ "$(cat "$added")" = "$(printf '<p>snow</p>\r\n')" ] || fail "the added effect holds $(od -c "$added" | head -2)"
echo "passed: \"$category\" and \"$effect\" typed in pinyin arrived"
