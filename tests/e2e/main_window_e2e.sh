#!/usr/bin/env bash
# The main window end to end, with real X input into a Wine desktop: it opens with both
# toolbars and the user file beside it; a double-click on the label of an item with children
# neither opens nor closes it while its +/- button does; a right click, Shift+F10 and the
# menu key open the item menu, whose "add" entry (driven by its accelerator key) adds an
# item that is renamed in place; the item is dragged onto another one; compact mode shrinks
# the window to the first toolbar and the status bar and back. The tree is read back whole through treeprobe.exe.
#
# Usage: main_window_e2e.sh Corvell2.exe treeprobe.exe [folder for screenshots]
# Exits 77 (skipped) when Xvfb, xdotool, imagemagick or Wine are missing.
set -u
exe=$1
probe=$2
shots=${3:-}
. "$(dirname "$0")/lib.sh"
e2e_require Xvfb xdotool import wine64 wineserver iconv
e2e_environment

e2e_workspace main "$exe"
cp "$probe" "$work/treeprobe.exe"

fail() {
    echo "FAIL: $*"
    [ -n "$shots" ] && import -window root "$shots/main-window-failure.png" 2>/dev/null
    exit 1
}

shot() {
    [ -n "$shots" ] || return 0
    sleep 0.3
    import -window root -crop 640x560+0+0 +repage "$shots/$1.png"
}

# A user file and its settings: no wizard, window at (100, 60), two items opened, no
# paste-into-target mode (a double-click then only fills the clipboard).
printf '郵便番号\n\t123\n\t4567\n住所\n\t東京都\n\t千代田区\n氏名\n\t山田\n\t太郎\nメール\n' |
    iconv -f UTF-8 -t CP932 >"$app/user.cv2"
printf '[Window]\r\nWidth=178\r\nHeight=388\r\nTop=60\r\nLeft=100\r\nExpand=0,3\r\nNodeSelect=1\r\n[ToolBtn]\r\nResizeBtn=0\r\nPasteBtn=0\r\nShowToolBar2Btn=1\r\nClickChange=0\r\n[Image]\r\nindex0=5\r\nindex3=6\r\nindex6=7\r\nindex9=11\r\n' >"$app/user.ini"

desktop=cv2main
(cd "$app" && exec wine64 explorer /desktop=$desktop,640x560 Corvell2.exe >/dev/null 2>&1) &

look_file="$work/look.txt"
# Reads the main window into $look_file; false when it is not there.
look() {
    rm -f "$look_file"
    (cd "$work" && timeout 15 wine64 explorer /desktop=$desktop,640x560 treeprobe.exe look \
        "$(winpath "$look_file")" >/dev/null 2>&1)
    for _ in $(seq 50); do [ -f "$look_file" ] && break; sleep 0.1; done
    grep -q '^found=1' "$look_file" 2>/dev/null
}
# value and row_point (lib.sh) read what it found.
expect_tree() {
    look || fail "$2: the main window is gone"
    local got
    got=$(value tree)
    [ "$got" = "$1" ] || fail "$2: tree is [$got], expected [$1]"
    echo "ok: $2"
}
click_at() {
    xdotool mousemove $1 $2
    sleep 0.25
    xdotool click ${3:-1}
    sleep 0.5
}

# The probe must join the program's desktop, not make its own: wait for the desktop first.
desk_window=
for _ in $(seq 300); do
    desk_window=$(xdotool search --name "$desktop - " 2>/dev/null | head -1)
    [ -n "$desk_window" ] && break
    sleep 0.2
done
[ -n "$desk_window" ] || fail "the Wine desktop did not appear"
for _ in $(seq 100); do look && break; sleep 0.2; done
grep -q '^found=1' "$look_file" 2>/dev/null || fail "the main window did not appear"
xdotool windowfocus "$desk_window" 2>/dev/null
sleep 1

expect_tree "郵便番号+(123 4567) 住所+(東京都 千代田区) 氏名(山田 太郎) メール" "the user file is shown"
[ -n "$(value bar1button3)" ] && [ -n "$(value bar2button3)" ] || fail "a toolbar is missing"
[ "$(value frame)" = "100 60 178 388" ] || fail "window at [$(value frame)], expected the stored 100 60 178 388"
shot main-window-normal

# A double-click on a label neither closes nor opens; the +/- button does both.
label=$(row_point 郵便番号 label)
button=$(row_point 郵便番号 button)
xdotool mousemove $label
sleep 0.25
xdotool click --repeat 2 --delay 80 1
sleep 0.5
expect_tree "郵便番号+(123 4567) 住所+(東京都 千代田区) 氏名(山田 太郎) メール" "double-click keeps an open item open"
click_at $button
expect_tree "郵便番号(123 4567) 住所+(東京都 千代田区) 氏名(山田 太郎) メール" "the +/- button closes"
xdotool mousemove $label
sleep 0.25
xdotool click --repeat 2 --delay 80 1
sleep 0.5
expect_tree "郵便番号(123 4567) 住所+(東京都 千代田区) 氏名(山田 太郎) メール" "double-click keeps a closed item closed"
click_at $button
expect_tree "郵便番号+(123 4567) 住所+(東京都 千代田区) 氏名(山田 太郎) メール" "the +/- button opens"

# Right click: the item menu; its "add" entry by the accelerator; the new item is edited.
click_at $(row_point メール label) 3
shot main-window-menu
xdotool key a
sleep 0.6
xdotool type --delay 60 "Renamed"
xdotool key Return
sleep 0.6
expect_tree "郵便番号+(123 4567) 住所+(東京都 千代田区) 氏名(山田 太郎) メール Renamed" "added from the menu and renamed in place"

# Drag the new item onto the label of another: it becomes that item's last child.
look
from=$(row_point Renamed label)
to=$(row_point 氏名 label)
[ -n "$from" ] && [ -n "$to" ] || fail "rows not found for the drag"
read -r fx fy <<<"$from"
read -r tx ty <<<"$to"
xdotool mousemove $fx $fy
sleep 0.3
xdotool mousedown 1
sleep 0.2
for i in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((fx + (tx - fx) * i / 8)) $((fy + (ty - fy) * i / 8))
    sleep 0.08
done
shot main-window-drag
xdotool mouseup 1
sleep 0.6
expect_tree "郵便番号+(123 4567) 住所+(東京都 千代田区) 氏名(山田 太郎 Renamed) メール" "dragged onto another item"

# Compact mode: only the first toolbar and the status bar; then back to the former size.
click_at $(value bar1button0)
look || fail "gone after compact mode"
client=$(value client)
bars=$(($(value coolbar) + $(value status)))
[ "$client" = "$bars" ] || fail "compact client height $client, expected the bars' $bars"
[ -z "$(value bar2button0)" ] || [ "$(value coolbar)" -lt 40 ] || fail "the second toolbar is still shown"
echo "ok: compact mode ($(value frame))"
shot main-window-compact
click_at $(value bar1button0)
look
[ "$(value frame)" = "100 60 178 388" ] || fail "after compact mode the window is [$(value frame)]"
echo "ok: compact mode left"

# The keyboard route to the item menu opens it at the selected item: edit that item.
click_at $(row_point メール label)
xdotool key shift+F10
sleep 0.6
xdotool key e
sleep 0.6
xdotool type --delay 60 "Mx"
xdotool key Return
sleep 0.6
expect_tree "郵便番号+(123 4567) 住所+(東京都 千代田区) 氏名(山田 太郎 Renamed) Mx" "Shift+F10 opens the menu at the selection"
# The keyboard's menu key does the same.
xdotool key Menu
sleep 0.6
xdotool key e
sleep 0.6
xdotool type --delay 60 "Mail"
xdotool key Return
sleep 0.6
expect_tree "郵便番号+(123 4567) 住所+(東京都 千代田区) 氏名(山田 太郎 Renamed) Mail" "the menu key opens the menu at the selection"

# The arrow of the item button opens the same menu: add a child to the selection.
look
click_at $(value bar2button3right)
xdotool key k
sleep 0.6
xdotool type --delay 60 "Child"
xdotool key Return
sleep 0.6
expect_tree "郵便番号+(123 4567) 住所+(東京都 千代田区) 氏名(山田 太郎 Renamed) Mail+(Child)" "the item button's arrow opens the menu"

# The arrow of the follow-up key button opens its radio menu: choose Tab.
click_at $(value bar1button3right)
xdotool key t
sleep 0.5

# Closing asks to save the changes; Yes writes the user file, and the settings follow.
(cd "$work" && timeout 15 wine64 explorer /desktop=$desktop,640x560 treeprobe.exe close "$(winpath "$work/close.txt")" \
    >/dev/null 2>&1)
sleep 1
shot main-window-save-question
xdotool key y
for _ in $(seq 100); do look || break; sleep 0.1; done
look && fail "the main window did not close"
for _ in $(seq 50); do grep -q '^TabEnter=1' "$app/user.ini" 2>/dev/null && break; sleep 0.1; done
saved=$(iconv -f CP932 -t UTF-8 "$app/user.cv2" | tr -d '\r')
expected=$(printf '郵便番号\n\t123\n\t4567\n住所\n\t東京都\n\t千代田区\n氏名\n\t山田\n\t太郎\n\tRenamed\nMail\n\tChild')
[ "$saved" = "$expected" ] || fail "the saved user file is [$saved]"
echo "ok: saved on closing"
grep -q '^TabEnter=1' "$app/user.ini" || fail "the follow-up key Tab was not stored: $(grep TabEnter "$app/user.ini")"
echo "ok: the follow-up key chosen from its menu"

echo "PASS"
exit 0
