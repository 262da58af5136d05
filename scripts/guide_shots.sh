#!/usr/bin/env bash
# Takes the pictures of the user's guide from the real program under Wine, then builds
# docs/Corvell2.html from docs/guide.html.in with the pictures embedded.
#   bash scripts/guide_shots.sh
# The program runs in a Wine desktop of its own on its own Xvfb: a first start in an empty
# folder goes through the new-user wizard, then the window is shown with its menus and
# dialogs and fills a stand-in entry form (tests/e2e/target_win.cpp). Each picture is the
# desktop cropped to what is on it; the pictures land in docs/images/. Every step waits for
# what it needs (a field's focus, a menu or a dialog open, a form filled), asking a probe
# on the desktop (tests/e2e/treeprobe_win.cpp), with a deadline and a message.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/deps.sh
out=${CV2_BUILD_DIR:-$root/build}
images=$root/docs/images
mkdir -p "$images"

cmake -S . -B "$out/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$out/win" -j "$(nproc)" --target Corvell2 treeprobe target typetext

. "$root/tests/e2e/lib.sh"
e2e_environment
work=$(mktemp -d /tmp/cv2-guide.XXXXXX)
app="$work/app"
mkdir -p "$app"
cp "$out/win/Corvell2.exe" "$app/"
cp "$out/win/treeprobe.exe" "$out/win/target.exe" "$out/win/typetext.exe" "$work/"
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

# The desktop cropped to its windows (the plain background trimmed away), with a margin of
# the background around them; stored as a palette PNG when that loses nothing. The screen
# is taken once it has stopped changing: two grabs a moment apart alike.
grab() { import -window root -crop ${desk_w}x$desk_h+0+0 +repage -depth 8 "rgb:$1"; }
shot() {
    local name=$1 file="$images/$1.png" deadline=$((SECONDS + 5))
    grab "$work/a.rgb" || fail "no screenshot for $name"
    while :; do
        sleep 0.25
        grab "$work/b.rgb" || fail "no screenshot for $name"
        cmp -s "$work/a.rgb" "$work/b.rgb" && break
        mv "$work/b.rgb" "$work/a.rgb"
        [ $SECONDS -lt $deadline ] || { echo "note: the screen kept changing for $name"; break; }
    done
    convert -size ${desk_w}x$desk_h -depth 8 "rgb:$work/b.rgb" "$work/raw.png"
    convert "$work/raw.png" -trim +repage \
        -bordercolor "$(convert "$work/raw.png" -format '%[pixel:p{0,0}]' info:)" -border 8 -strip "$work/trim.png"
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
ask_into "$work/close.txt" close && grep -q '^found=1' "$work/close.txt" || fail "the main window could not be asked to close"
ask_wait=1500 ask_into "$work/ended.txt" ended "$(sed -n 's/^pid=//p' "$work/close.txt")" 25000 &&
    grep -qx 'ended=1' "$work/ended.txt" || fail "the program did not end after the close"

# ---- The window as a user keeps it: placed, a few items open, pasting with Tab ----
python3 - "$app/taro.ini" <<'EOF'
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
for k, v in [('Left', '24'), ('Top', '24'), ('Width', '236'), ('Height', '430'), ('Expand', '0,3,10'),
             ('NodeSelect', '0')]:
    put('Window', k, v)
for k, v in [('PasteBtn', '1'), ('ShowToolBar2Btn', '1'), ('ResizeBtn', '0'), ('ClickChange', '0')]:
    put('ToolBtn', k, v)
put('Paste', 'WaitTime', '300')
put('Menu', 'TabEnter', '1')
body = ''.join('[%s]\r\n' % s + ''.join('%s=%s\r\n' % (k, v) for k, v in sections[s]) for s in order)
open(path, 'wb').write(body.encode('cp932'))
EOF
desktop_start "$app" Corvell2.exe
wait_main
desk_focus
shot main-window

# The item menu, opened on an item with the right button.
item_menu 山田
shot item-menu
# Its icon submenu.
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

# Filling a form: the stand-in entry form beside the window, its first field clicked, then
# three items double-clicked one after the other, each waited for in the form.
form=応募フォーム
(cd "$work" && exec wine64 explorer /desktop=$desktop,$desktop_size target.exe "$(winpath "$work/target.log")" \
    "$form" 285 60 >/dev/null 2>&1) &
ask_until 30 'c100rect=.*' fields "$form" || fail "the entry form did not appear"
read -r left top right bottom <<<"$(sed -n 's/^c100rect=//p' "$work/until.txt")"
[ -n "$bottom" ] || fail "the form has no first field"
# The click makes the form the window items go to, once the program has seen it in front
# (its status bar shows the form's title); a click that came before the form could take it
# is made again.
for try in 1 2 3; do
    xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2)) click 1
    deadline=$((SECONDS + 5))
    until look && [ "$(value statustext)" = "$form" ]; do
        [ $SECONDS -lt $deadline ] || break
        sleep 0.1
    done
    [ "$(value statustext)" = "$form" ] && break
done
[ "$(value statustext)" = "$form" ] || fail "the program did not take the form as the window to fill: $(value statustext)"
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

python3 "$root/scripts/build_guide.py" "$root/docs/guide.html.in" "$images" "$root/docs/Corvell2.html"
