#!/usr/bin/env bash
# An item's own way of sending and copying by dragging, end to end under Wine with real X
# input: the item menu's keys (right click, M, K) give one item typing of its own, which its
# icon shows by a mark and which survives a restart through the settings file; an item dragged
# with Ctrl pressed on the way is copied, with its choice, and the original stays in place.
#
# Usage: ways_e2e.sh <build folder> [folder for screenshots]
# Exits 77 (skipped) when Xvfb, xdotool, imagemagick or Wine are missing.
set -u
build=$1
shots=${2:-}
. "$(dirname "$0")/lib.sh"
e2e_require Xvfb xdotool import wine64 wineserver iconv
e2e_environment
e2e_workspace ways "$build/Corvell2.exe"
cp "$build/treeprobe.exe" "$work/"

fail() {
    echo "FAIL: $*"
    [ -n "$shots" ] && import -window root "$shots/ways-failure.png" 2>/dev/null
    exit 1
}
shot() {
    [ -n "$shots" ] || return 0
    import -window root -crop 640x560+0+0 +repage "$shots/ways-$1.png"
}
e2e_prefix

desktop=cv2ways
desktop_size=640x560
probe_dir="$work/probe"
look_file="$work/look.txt"

printf '郵便番号\n\t123\n\t4567\n都道府県\n氏名\n' | iconv -f UTF-8 -t CP932 >"$app/user.cv2"
printf '[Window]\r\nWidth=178\r\nHeight=300\r\nTop=40\r\nLeft=80\r\nExpand=0\r\nNodeSelect=0\r\n[ToolBtn]\r\nResizeBtn=0\r\nPasteBtn=0\r\nShowToolBar2Btn=1\r\nClickChange=0\r\n[Image]\r\nindex0=5\r\nindex3=6\r\nindex4=7\r\n' \
    >"$app/user.ini"

start_program() {
    desktop_start "$app" Corvell2.exe user.cv2
    probe_start
    wait_look "found=1" 60 || fail "the main window did not appear"
    # Keys reach the Wine desktop only while it has the X input focus.
    xdotool windowfocus "$(xdotool search --name "$desktop - " | head -1)" 2>/dev/null
}
# Waits until the look has the line $1 (a regular expression), within $2 seconds.
wait_look() {
    local deadline=$((SECONDS + $2))
    until look && grep -qx "$1" "$look_file"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}
wait_menus() { ask_until 10 "menus=$1" menus || fail "expected $1 open menus, $(cat "$work/until.txt")"; }
# The image of a row's icon: 6 is the house, 46 and up the icons with the mark.
image_of() { row_point "$1" image; }
# Asks the main window to close and waits until its process has ended (and written its
# settings). With $1, the save-changes question is answered by that key first.
close_program() {
    ask_into "$work/close.txt" close || fail "the probe did not answer"
    local pid
    pid=$(sed -n 's/^pid=//p' "$work/close.txt")
    if [ -n "${1:-}" ]; then
        ask_until 10 "found=1" box "Corvel2！" || fail "no save-changes question"
        xdotool key "$1"
    fi
    ask_wait=1500 ask_into "$work/ended.txt" ended "$pid" 25000
    grep -qx 'ended=1' "$work/ended.txt" || fail "the program did not end"
}
# The [ItemSend] keys of a settings file, on one line.
choices_in() { sed -n '/^\[ItemSend\]/,/^\[/p' "$1" | tr -d '\r' | grep -v '^\[' | tr '\n' ' '; }

start_program
wait_look "tree=郵便番号+(123 4567) 都道府県 氏名" 10 || fail "the tree is [$(value tree)]"
[ "$(image_of 都道府県)" = 6 ] || fail "an item without a choice shows the image $(image_of 都道府県)"

# Right click, M (この項目の送り方), K (キー入力で送る): the item gets the mark.
xdotool mousemove $(row_point 都道府県 label) click 3
wait_menus 1
xdotool key m
wait_menus 2
shot menu
xdotool key k
wait_menus 0
wait_look "row[0-9]*image=55" 10 || fail "no row shows the marked house: $(grep image= "$look_file" | tr '\n' ' ')"
[ "$(image_of 都道府県)" = 55 ] || fail "the mark is not on 都道府県"
[ "$(image_of 氏名)" = 7 ] || fail "氏名 shows the image $(image_of 氏名)"
echo "ok: the menu keys give the item a way of its own, shown by its mark"
shot mark

close_program
for ini in "$app/user.ini" "$app/Corvell2.ini"; do
    [ "$(choices_in "$ini")" = "Way3=2 " ] || fail "$ini holds [$(choices_in "$ini")], expected Way3=2"
done
grep -q '^index3=6' "$app/user.ini" || fail "the icons were lost"
echo "ok: the choice is stored on closing, by the item's index"

start_program
wait_look "tree=郵便番号+(123 4567) 都道府県 氏名" 10 || fail "after the restart the tree is [$(value tree)]"
[ "$(image_of 都道府県)" = 55 ] || fail "the mark did not survive the restart"
echo "ok: the choice survives a restart"

# Drag 都道府県 onto 氏名, pressing Ctrl on the way (Ctrl held at the press would send the
# item, as a Ctrl+click does): a copy goes there, the original stays.
read -r fx fy <<<"$(row_point 都道府県 label)"
read -r tx ty <<<"$(row_point 氏名 label)"
xdotool mousemove $fx $fy
sleep 0.3
xdotool mousedown 1
for i in 1 2 3 4; do
    xdotool mousemove $((fx + 3 * i)) $((fy + (ty - fy) * i / 8))
    sleep 0.08
done
xdotool keydown ctrl
for i in 5 6 7 8; do
    xdotool mousemove $((fx + (tx - fx) * i / 8)) $((fy + (ty - fy) * i / 8))
    sleep 0.08
done
shot copy-drag
xdotool mouseup 1
xdotool keyup ctrl
wait_look "tree=郵便番号+(123 4567) 都道府県 氏名(都道府県)" 10 ||
    fail "after the Ctrl+drag the tree is [$(value tree)]"
[ "$(image_of 都道府県)" = 55 ] || fail "the original lost its mark"
echo "ok: Ctrl+drag leaves the original in place and adds the copy"

# Closing asks to save (the copy set the dirty flag); Yes stores the tree and both choices.
close_program y
saved=$(iconv -f CP932 -t UTF-8 "$app/user.cv2" | tr -d '\r')
[ "$saved" = "$(printf '郵便番号\n\t123\n\t4567\n都道府県\n氏名\n\t都道府県')" ] || fail "the saved user file is [$saved]"
[ "$(choices_in "$app/user.ini")" = "Way3=2 Way5=2 " ] || fail "user.ini holds [$(choices_in "$app/user.ini")]"
grep -q '^index5=6' "$app/user.ini" || fail "the copy lost its icon"
echo "ok: the copy keeps its icon and its way"

echo "PASS"
exit 0
