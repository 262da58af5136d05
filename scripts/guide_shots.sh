#!/usr/bin/env bash
# Takes the pictures of the user's guide from the real program under Wine, then builds
# docs/Corvell2.html from docs/guide.html.in with the pictures embedded.
#   bash scripts/guide_shots.sh
# The program runs in a Wine desktop of its own on its own Xvfb: a first start in an empty
# folder goes through the new-user wizard, then the window is shown with its menus and
# dialogs and fills a stand-in entry form (tests/e2e/target_win.cpp); then it is started
# again with a group of items for a prize form, whose ways of sending are chosen in its menus,
# and one gesture fills a stand-in prize form (tests/e2e/prizeform_win.cpp). Each picture is
# the desktop cropped to what is on it (or a part of it, enlarged); the pictures land in
# docs/images/. Every step waits for what it needs (a field's focus, a menu or a dialog open,
# a form filled), asking a probe on the desktop (tests/e2e/treeprobe_win.cpp), with a
# deadline and a message.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/deps.sh
out=${CV2_BUILD_DIR:-$root/build}
images=$root/docs/images
mkdir -p "$images"

cmake -S . -B "$out/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$out/win" -j "$(nproc)" --target Corvell2 treeprobe target typetext prizeform

. "$root/tests/e2e/lib.sh"
e2e_environment
work=$(mktemp -d /tmp/cv2-guide.XXXXXX)
app="$work/app"
mkdir -p "$app"
cp "$out/win/Corvell2.exe" "$app/"
cp "$out/win/treeprobe.exe" "$out/win/target.exe" "$out/win/typetext.exe" "$out/win/prizeform.exe" "$work/"
export WINEPREFIX="$work/prefix"
e2e_start_xvfb
xvfb_pid=$E2E_XVFB_PID
probe_dir="$work/probe"
look_file="$work/look.txt"
cleanup() {
    rm -rf "$probe_dir"  # the probe ends when its folder goes
    wineserver -k >/dev/null 2>&1 || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
set +e

fail() {
    echo "guide_shots: $*" >&2
    import -window root "$out/guide-failure.png" 2>/dev/null
    echo "guide_shots: the screen is in $out/guide-failure.png" >&2
    exit 1
}

# Everything happens in one Wine desktop, kept by the probe that stays on it from the first
# start to the end: the program can be closed and started again without the desktop, or the
# Wine session, going away in between.
desktop=cv2guide
desk_w=900
desk_h=640
desktop_size=${desk_w}x$desk_h

# The caption buttons are drawn with the Marlett font, which Windows has and Wine keeps in a
# package of its own; without it they show as the letters 0, 1 and r. The font goes into
# this run's prefix only.
marlett=$out/fonts-wine/usr/share/wine/fonts/marlett.ttf
[ -f /usr/share/wine/fonts/marlett.ttf ] && marlett=/usr/share/wine/fonts/marlett.ttf
if [ ! -f "$marlett" ]; then
    mkdir -p "$out/fonts-wine"
    (cd "$out/fonts-wine" && apt-get download fonts-wine >/dev/null 2>&1 && dpkg-deb -x fonts-wine_*.deb .) ||
        fail "the Marlett font could not be had (Debian package fonts-wine)"
fi
e2e_prefix
cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"

# Title bars: Wine's caption font is a bold "MS Shell Dlg", which comes out here as a fixed-
# pitch Gothic whose full-width "！" of "Corvell2！" is a thin bar. Japanese Windows draws
# captions in a proportional Japanese font, not bold; this prefix gets IPA P Gothic (Debian
# fonts-ipafont-gothic), 9 points, for the captions of windows and of tool windows. Wine reads
# both as LOGFONTW values under the window metrics of the user's registry.
caption_font=$(python3 -c '
import struct
face = "IPAPGothic".encode("utf-16-le")
# height -12 (9 points at 96 dpi), weight 400, SHIFTJIS_CHARSET, VARIABLE_PITCH | FF_SWISS
font = struct.pack("<5l8B", -12, 0, 0, 0, 400, 0, 0, 0, 128, 0, 0, 0, 0x22) + face.ljust(64, b"\0")
print(font.hex())')
for value in CaptionFont SmCaptionFont; do
    wine64 reg add 'HKCU\Control Panel\Desktop\WindowMetrics' /v $value /t REG_BINARY /d "$caption_font" /f \
        >/dev/null 2>&1 || fail "the caption font could not be set ($value)"
done
timeout 120 wineserver -w || fail "the Wine session that set the caption font did not end"

# The desktop cropped to its windows (the plain background trimmed away), with a margin of
# the background around them; stored as a palette PNG when that loses nothing. The screen
# is taken once it has stopped changing: a grab alike one of the two before it. With a region
# (WxH+X+Y), the picture is that part of the desktop, enlarged twice pixel for pixel.
grab() { import -window root -crop ${desk_w}x$desk_h+0+0 +repage -depth 8 "rgb:$1"; }
shot() {
    local name=$1 region=${2:-} file="$images/$1.png" deadline=$((SECONDS + 5))
    rm -f "$work/p.rgb"
    grab "$work/a.rgb" || fail "no screenshot for $name"
    while :; do
        sleep 0.25
        grab "$work/b.rgb" || fail "no screenshot for $name"
        # Alike the last grab, or the one before it: a caret blinking in step with the grabs.
        if cmp -s "$work/a.rgb" "$work/b.rgb" || { [ -f "$work/p.rgb" ] && cmp -s "$work/p.rgb" "$work/b.rgb"; }; then
            mv "$work/b.rgb" "$work/a.rgb"
            break
        fi
        mv "$work/a.rgb" "$work/p.rgb"
        mv "$work/b.rgb" "$work/a.rgb"
        [ $SECONDS -lt $deadline ] || { echo "note: the screen kept changing for $name"; break; }
    done
    convert -size ${desk_w}x$desk_h -depth 8 "rgb:$work/a.rgb" "$work/raw.png" || fail "the screenshot for $name is unreadable"
    if [ -n "$region" ]; then
        convert "$work/raw.png" -crop "$region" +repage -scale 200% -strip "$work/trim.png"
    else
        convert "$work/raw.png" -trim +repage \
            -bordercolor "$(convert "$work/raw.png" -format '%[pixel:p{0,0}]' info:)" -border 8 -strip "$work/trim.png"
    fi
    if [ "$(identify -format %k "$work/trim.png")" -le 256 ]; then
        convert "$work/trim.png" -define png:compression-level=9 PNG8:"$file"
    else
        convert "$work/trim.png" -define png:compression-level=9 "$file"
    fi
    echo "picture: docs/images/$name.png ($(identify -format '%wx%h' "$file"))"
}

desk_focus() {
    local desk
    desk=$(xdotool search --name "$desktop - " 2>/dev/null | head -1)
    [ -n "$desk" ] && xdotool windowfocus "$desk" 2>/dev/null
}
# Waits until the main window is there (into $look_file).
wait_main() {
    local deadline=$((SECONDS + 60))
    until look; do
        [ $SECONDS -lt $deadline ] || fail "the main window did not appear"
        sleep 0.2
    done
}
# Waits until that many popup menus are open.
wait_menus() {
    ask_until 10 "menus=$1" menus || fail "not $1 menus open but $(cat "$work/until.txt")"
}
# Waits until a window with that caption is there (1) or gone (0).
wait_dialog() {
    ask_until 10 "found=${2:-1}" fields "$1" || fail "the window $1 did not $([ "${2:-1}" = 1 ] && echo open || echo close)"
}
# Opens the item menu on a row with the right button.
item_menu() {
    xdotool mousemove $(row_point "$1" label) click 3
    wait_menus 1
}

# ---- First start in an empty folder: the new-user wizard, page by page ----
desktop_start "$app" Corvell2.exe
desk_focus
probe_start
# Each run of texts typed by a helper inside the desktop (Unicode keystrokes reach a field
# whatever the X keyboard map holds), which the probe runs there and waits for.
wizard_type() {
    local line="typetext.exe \"$(winpath "$work/typed")\"" text
    for text in "$@"; do line+=" \"$text\""; done
    ask_wait=3000 ask_into "$work/typed.txt" run "$line" && grep -qx 'exit=0' "$work/typed.txt" ||
        fail "typing into the wizard did not finish"
}
birthday=1985/04/12
age=$(($(date +%Y) - 1985 - ($(date +%-m%d) < 412 ? 1 : 0)))
wizard_shot() {
    case $1 in
    save) shot wizard-save ;;
    page2)
        # Leaving the birthday has filled in the age.
        [ "$(wizard_value $wizard_birthday_id)" = $birthday ] && [ "$(wizard_value $wizard_age_id)" = $age ] ||
            fail "the birthday and age read $(wizard_value $wizard_birthday_id) and $(wizard_value $wizard_age_id), not $birthday and $age"
        shot wizard-2
        ;;
    *) shot wizard-${1#page} ;;
    esac
}
wizard_fill taro 123 4567 東京都 千代田区 一番町1 ビル2階 -- \
    山田 太郎 やまだ たろう ヤマダ タロウ Yamada Taro @date:$birthday "" -- \
    会社員 03 1234 5678 "" "" "" taro@example.jp http://example.jp/ -- \
    "当選したら、すぐにお知らせください。" "" "" "" ""
iconv -f CP932 -t UTF-8 "$app/taro.cv2" | grep -q '^昭和60年04月12日' || fail "taro.cv2 has no 昭和60年04月12日"
wait_main
# Closed, and its process waited for: it has written its settings then, and a start before
# it has ended would only bring the old window to the front.
close_main() {
    ask_into "$work/close.txt" close && grep -q '^found=1' "$work/close.txt" || fail "the main window could not be asked to close"
    ask_wait=1500 ask_into "$work/ended.txt" ended "$(sed -n 's/^pid=//p' "$work/close.txt")" 25000 &&
        grep -qx 'ended=1' "$work/ended.txt" || fail "the program did not end after the close"
}
close_main

# Sets keys of a settings file (code page 932) while the program is closed:
#   set_ini <file> <Section/Key=Value>...
set_ini() {
    python3 - "$@" <<'EOF'
import sys
path = sys.argv[1]
text = open(path, 'rb').read().decode('cp932')
sections, order, current = {}, [], None
for line in text.splitlines():
    if line.startswith('[') and line.endswith(']'):
        current = line[1:-1]
        sections.setdefault(current, [])
        order.append(current)
    elif current is not None and '=' in line:
        sections[current].append(line.split('=', 1))
def put(section, key, value):
    if section not in sections:
        sections[section] = []
        order.append(section)
    for pair in sections[section]:
        if pair[0] == key:
            pair[1] = value
            return
    sections[section].append([key, value])
for setting in sys.argv[2:]:
    place, value = setting.split('=', 1)
    section, key = place.split('/', 1)
    put(section, key, value)
body = ''.join('[%s]\r\n' % s + ''.join('%s=%s\r\n' % (k, v) for k, v in sections[s]) for s in order)
open(path, 'wb').write(body.encode('cp932'))
EOF
}

# ---- The window as a user keeps it: placed, a few items open, pasting with Tab ----
set_ini "$app/taro.ini" Window/Left=24 Window/Top=24 Window/Width=236 Window/Height=430 Window/Expand=0,3,10 \
    Window/NodeSelect=0 ToolBtn/PasteBtn=1 ToolBtn/ShowToolBar2Btn=1 ToolBtn/ResizeBtn=0 ToolBtn/ClickChange=0 \
    Paste/WaitTime=300 Menu/TabEnter=1 || fail "taro.ini could not be set"
desktop_start "$app" Corvell2.exe
wait_main
desk_focus
shot main-window

# The icon submenu of the item menu, opened on an item with the right button.
item_menu 山田
xdotool key i
wait_menus 2
shot item-icons
xdotool key Escape Escape
wait_menus 0

# The conversion submenu: menus of another program cannot be read, so it is opened by its
# accelerator.
item_menu 山田
xdotool key z
wait_menus 2
shot convert-menu
xdotool key Escape Escape
wait_menus 0

# The follow-up key button's menu (its arrow).
look
xdotool mousemove $(value bar1button3right) click 1
wait_menus 1
xdotool mousemove 880 620  # no button hint over the menu
shot follow-up-menu
xdotool key Escape
wait_menus 0

# The wait time dialog and the about box, from the item menu.
item_menu 山田
xdotool key w
wait_dialog "Wait設定"
shot wait-dialog
xdotool key Escape
wait_dialog "Wait設定" 0
item_menu 山田
xdotool key v
wait_dialog "ﾊﾞｰｼﾞｮﾝ情報"
shot about-box
xdotool key Return
wait_dialog "ﾊﾞｰｼﾞｮﾝ情報" 0

# Makes a form the window items go to: a click at the point given, once the program has seen
# it in front (its status bar shows the form's title); a click that came before the form
# could take it is made again.
#   take_form <title> <x> <y>
take_form() {
    local try deadline
    for try in 1 2 3; do
        xdotool mousemove "$2" "$3" click 1
        deadline=$((SECONDS + 5))
        until look && [ "$(value statustext)" = "$1" ]; do
            [ $SECONDS -lt $deadline ] || break
            sleep 0.1
        done
        [ "$(value statustext)" = "$1" ] && return 0
    done
    fail "the program did not take $1 as the window to fill: $(value statustext)"
}

# Filling a form: the stand-in entry form beside the window, its first field clicked, then
# three items double-clicked one after the other, each waited for in the form.
form=応募フォーム
(cd "$work" && exec wine64 explorer /desktop=$desktop,$desktop_size target.exe "$(winpath "$work/target.log")" \
    "$form" 285 60 >/dev/null 2>&1) &
ask_until 30 'c100rect=.*' fields "$form" || fail "the entry form did not appear"
read -r left top right bottom <<<"$(sed -n 's/^c100rect=//p' "$work/until.txt")"
[ -n "$bottom" ] || fail "the form has no first field"
take_form "$form" $(((left + right) / 2)) $(((top + bottom) / 2))
look
n=0
for item in "山田 太郎" "ヤマダ タロウ" 123-4567; do
    xdotool mousemove $(row_point "$item" label) click --repeat 2 --delay 80 1
    deadline=$((SECONDS + 10))
    until grep -qx "field$n=$item" "$work/target.log" && grep -qx "focus=$((n + 1))" "$work/target.log"; do
        [ $SECONDS -lt $deadline ] || fail "$item did not arrive in the form's field $n: $(tr '\n' ' ' <"$work/target.log")"
        sleep 0.1
    done
    n=$((n + 1))
done
xdotool mousemove 880 620
shot form-filling

# Compact mode beside the filled form: the first toolbar button; the frame's size tells when
# it has come.
look
full=$(value frame)
xdotool mousemove $(value bar1button0) click 1
deadline=$((SECONDS + 10))
until look && [ "$(value frame)" != "$full" ]; do
    [ $SECONDS -lt $deadline ] || fail "compact mode did not come"
    sleep 0.1
done
xdotool mousemove 880 620
shot compact

# ---- A whole prize form from one gesture: a group, each item's way of sending, hotkeys ----
ask_into "$work/closed.txt" close "$form" && grep -q '^found=1' "$work/closed.txt" || fail "the entry form could not be asked to close"
wait_dialog "$form" 0
close_main
# The group a user builds for the form (the guide tells how: an item added, the pieces
# Ctrl+dragged onto it in the order of the form's fields, the agreement's label added as a
# child), at the end of the user file, with the icons the copies bring along; the mail
# address comes with its two children, as a copy takes them along. The window opens with
# the group open and selected, scrolled as far as it goes.
group=(プレゼント応募:4 123:5 4567:5 東京都:6 千代田区一番町1ビル2階:6 山田:7 太郎:7 ヤマダ:7 タロウ:7 03:9 1234:9
    5678:9 taro@example.jp:11 taro@example.jp:11 規約に同意する:0)
first=$(iconv -f CP932 -t UTF-8 "$app/taro.cv2" | grep -c '')
eol=$'\n'
grep -q $'\r' "$app/taro.cv2" && eol=$'\r\n'
[ -z "$(tail -c1 "$app/taro.cv2")" ] || printf '%s' "$eol" >>"$app/taro.cv2"
lines=() icons=() children=
for i in "${!group[@]}"; do
    text=${group[$i]%:*}
    icon=${group[$i]##*:}
    if [ $i = 0 ]; then
        lines+=("$text") icons+=("$icon")
        continue
    fi
    lines+=($'\t'"$text") icons+=("$icon")
    children+=${children:+ }$text
    if [ "$text" = taro@example.jp ]; then
        lines+=($'\t\ttaro' $'\t\texample.jp') icons+=(11 11)
        children+="(taro example.jp)"
    fi
done
printf "%s$eol" "${lines[@]}" | iconv -f UTF-8 -t CP932 >>"$app/taro.cv2" || fail "taro.cv2 could not be extended"
settings=()
for i in "${!icons[@]}"; do settings+=(Image/index$((first + i))=${icons[$i]}); done
set_ini "$app/taro.ini" Window/Expand=$first Window/NodeSelect=$first ToolBtn/ResizeBtn=0 "${settings[@]}" ||
    fail "taro.ini could not be set"
desktop_start "$app" Corvell2.exe
wait_main
desk_focus
# The number of the group's row in the last look.
group_first() {
    local key
    key=$(grep -m1 "^row[0-9]*text=${group[0]%:*}\$" "$look_file" | cut -d= -f1)
    key=${key#row}
    [ -n "$key" ] && echo "${key%text}"
}
# The part of the look about the visible row of the group's child k (0: the group itself);
# false when that row does not hold the child.
#   group_row <k> <part>
group_row() {
    local n
    n=$(group_first) && [ "$(value "row$((n + $1))text")" = "${group[$1]%:*}" ] && value "row$((n + $1))$2"
}
# The window opens the group with all that is below it; the copies of the mail address are
# closed with their buttons, the later one first, as a user would.
look
for row in 15 12; do
    n=$(group_first) || fail "the group has no row"
    [ "$(value "row$((n + row))text")" = taro@example.jp ] || fail "row $row of the group is not the mail address"
    xdotool mousemove $(value "row$((n + row))button") click 1
    deadline=$((SECONDS + 10))
    until look && [ "$(value "row$((n + row + 1))text")" != taro ]; do
        [ $SECONDS -lt $deadline ] || fail "the mail address in row $row of the group did not close"
        sleep 0.1
    done
done
case "$(value tree)" in
*" ${group[0]%:*}+($children)") ;;
*) fail "the tree does not end in the open group: $(value tree)" ;;
esac
# Gives the group's child k a way of sending of its own through the item menu: この項目の
# 送り方 (M), then the choice's key; its icon then shows the mark.
#   choose_way <k> <key>
choose_way() {
    local before point deadline
    look
    before=$(group_row "$1" image) && point=$(group_row "$1" label) || fail "the group's child $1 has no row"
    xdotool mousemove $point click 3
    wait_menus 1
    xdotool key m
    wait_menus 2
    xdotool key "$2"
    wait_menus 0
    deadline=$((SECONDS + 10))
    until look && [ "$(group_row "$1" image)" != "$before" ]; do
        [ $SECONDS -lt $deadline ] || fail "${group[$1]%:*} shows no mark after the choice $2"
        sleep 0.1
    done
}
choose_way 1 n   # 123, 後続キーなし: the box moves on by itself
choose_way 3 k   # 東京都, キー入力で送る: the list picks the prefecture by typing
choose_way 13 k  # taro@example.jp again, キー入力で送る: the confirmation box refuses pasting
choose_way 14 s  # 規約に同意する, スペースキーを押す: ticks the check box

# The submenu open on the prefecture, its choice highlighted (the third entry).
look
point=$(group_row 3 label) || fail "the prefecture has no row"
xdotool mousemove $point click 3
wait_menus 1
xdotool key m
wait_menus 2
xdotool key Down Down
shot send-way-menu
xdotool key Escape Escape
wait_menus 0

# The item menu on the group: the group send is there, and the undo of the last choice.
item_menu "${group[0]%:*}"
shot item-menu
xdotool key Escape
wait_menus 0

# The hotkey dialog, from the item menu; the group stays selected.
item_menu "${group[0]%:*}"
xdotool key y
wait_dialog ホットキーの設定
shot hotkey-dialog
xdotool key Escape
wait_dialog ホットキーの設定 0

# The stand-in prize form beside the window, waiting; then the rows with and without a mark,
# enlarged.
prize=プレゼント応募フォーム
(cd "$work" && exec wine64 explorer /desktop=$desktop,$desktop_size prizeform.exe "$(winpath "$work/prize.log")" \
    "$prize" 285 24 >/dev/null 2>&1) &
deadline=$((SECONDS + 30))
until grep -q '^click=' "$work/prize.log" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "the prize form did not appear"
    sleep 0.1
done
take_form "$prize" $(sed -n 's/^click=//p' "$work/prize.log")
xdotool mousemove 880 620
shot group-tree
look
read -r _ top1 <<<"$(group_row 1 label)"
read -r _ top4 <<<"$(group_row 4 label)"
[ -n "$top1" ] && [ -n "$top4" ] || fail "the group's first rows are not there"
read -r fx _ <<<"$(value frame)"
half=$(((top4 - top1) / 6))
shot send-way-mark 200x$((top4 - top1 + 2 * half))+$((fx + 8))+$((top1 - half))

# One gesture: Shift and a double click on the group fill the whole form.
look
xdotool keydown shift
xdotool mousemove $(row_point プレゼント応募 label) click --repeat 2 --delay 80 1
xdotool keyup shift
filled=(field0=123 field1=4567 prefecture=東京都 field2=千代田区一番町1ビル2階 field3=山田 field4=太郎 field5=ヤマダ
    field6=タロウ field7=03 field8=1234 field9=5678 field10=taro@example.jp field11=taro@example.jp check=1
    focus=submit refused=0)
deadline=$((SECONDS + 30))
for line in "${filled[@]}"; do
    until grep -qx "$line" "$work/prize.log"; do
        [ $SECONDS -lt $deadline ] || fail "the group send left the form without $line: $(tr '\n' ' ' <"$work/prize.log")"
        sleep 0.1
    done
done
until look && [ "$(value statustext)" = "$prize" ]; do
    [ $SECONDS -lt $deadline ] || fail "after the group send the status bar shows $(value statustext)"
    sleep 0.1
done
xdotool mousemove 880 620
shot group-filled

python3 "$root/scripts/build_guide.py" "$root/docs/guide.html.in" "$images" "$root/docs/Corvell2.html"
