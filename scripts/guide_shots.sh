#!/usr/bin/env bash
# Takes the pictures of the user's guide from the real program under Wine, then builds
# docs/Corvell2.html from docs/guide.html.in with the pictures embedded.
#   bash scripts/guide_shots.sh
# The program runs in a Wine desktop of its own on its own Xvfb: a first start in an empty
# folder goes through the new-user wizard, then the window is shown with its menus and
# dialogs and fills a stand-in entry form (tests/e2e/target_win.cpp). Each picture is the
# desktop cropped to what is on it. The pictures land in docs/images/; a picture whose
# subject the program does not have (yet) is left out and the guide is built without it.
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
cleanup() {
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

desktop=cv2guide
desk_w=900
desk_h=640
winpath() { echo "Z:${1//\//\\}"; }
# Starts the program and waits for its desktop: a probe started before the desktop is up
# would make the desktop itself, and that desktop ends with the probe, leaving the program
# on none.
start_program() {
    (cd "$app" && exec wine64 explorer /desktop=$desktop,${desk_w}x$desk_h Corvell2.exe >/dev/null 2>&1) &
    for _ in $(seq 300); do
        xdotool search --name "$desktop - " >/dev/null 2>&1 && return 0
        sleep 0.2
    done
    fail "the Wine desktop $desktop did not appear"
}
wait_window() {
    local id
    for _ in $(seq $(($2 * 10))); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# The desktop cropped to its windows (the plain background trimmed away), with a margin of
# the background around them; stored as a palette PNG when that loses nothing.
shot() {
    local name=$1 file="$images/$1.png" raw="$work/raw.png"
    sleep ${2:-0.6}
    import -window root -crop ${desk_w}x$desk_h+0+0 +repage "$raw" || fail "no screenshot for $name"
    convert "$raw" -trim +repage -bordercolor "$(convert "$raw" -format '%[pixel:p{0,0}]' info:)" -border 8 \
        -strip "$work/trim.png"
    if [ "$(identify -format %k "$work/trim.png")" -le 256 ]; then
        convert "$work/trim.png" -define png:compression-level=9 PNG8:"$file"
    else
        convert "$work/trim.png" -define png:compression-level=9 "$file"
    fi
    echo "picture: docs/images/$name.png ($(identify -format '%wx%h' "$file"))"
}

look_file="$work/look.txt"
look() {
    rm -f "$look_file"
    (cd "$work" && timeout 15 wine64 explorer /desktop=$desktop,${desk_w}x$desk_h treeprobe.exe look \
        "$(winpath "$look_file")" >/dev/null 2>&1)
    for _ in $(seq 50); do [ -f "$look_file" ] && break; sleep 0.1; done
    grep -q '^found=1' "$look_file" 2>/dev/null
}
value() { grep "^$1=" "$look_file" | head -1 | cut -d= -f2-; }
# Asks the main window to close, until the probe says it found it: explorer /desktop=
# returns before the probe it hands to the desktop has answered, so its answer is waited
# for, and a close that reached no window would leave the session running.
close_program() {
    for _ in $(seq 20); do
        rm -f "$work/close.txt"
        (cd "$work" && timeout 15 wine64 explorer /desktop=$desktop,${desk_w}x$desk_h treeprobe.exe close \
            "$(winpath "$work/close.txt")" >/dev/null 2>&1)
        for _ in $(seq 50); do [ -f "$work/close.txt" ] && break; sleep 0.1; done
        grep -q '^found=1' "$work/close.txt" 2>/dev/null && return 0
        sleep 0.5
    done
    fail "the main window could not be asked to close"
}
row_point() {
    local key
    key=$(grep -m1 "^row[0-9]*text=$1\$" "$look_file" | cut -d= -f1)
    [ -n "$key" ] || return 1
    value "${key%text}label"
}
click_at() {
    xdotool mousemove $1 $2
    sleep 0.3
    xdotool click ${3:-1}
    sleep 0.5
}
desk_focus() {
    local desk
    desk=$(xdotool search --name "$desktop - " 2>/dev/null | head -1)
    [ -n "$desk" ] && xdotool windowfocus "$desk" 2>/dev/null
}

# ---- First start in an empty folder: the new-user wizard, page by page ----
start_program
wizard=$(wait_window "新規作成ウィザード" 90) || fail "the wizard did not open on a first start"
desk_focus
sleep 1
# Each page's fields, each followed by Enter, typed by a helper inside the desktop.
fields() {
    rm -f "$work/typed"
    (cd "$work" && timeout 60 wine64 explorer /desktop=$desktop,${desk_w}x$desk_h typetext.exe \
        "$(winpath "$work/typed")" "$@" >/dev/null 2>&1)
    for _ in $(seq 600); do [ -f "$work/typed" ] && break; sleep 0.1; done
    [ -f "$work/typed" ] || fail "typing into the wizard did not finish"
    sleep 0.3
}
next_page() {
    xdotool key Return  # Next has the focus after the page's last field
    sleep 0.6
}
fields 123 4567 東京都 千代田区 一番町1 ビル2階
shot wizard-1
next_page
fields 山田 太郎 やまだ たろう ヤマダ タロウ Yamada Taro
# The birthday picker, stepped part by part with the arrow keys from today's date to
# 1990-04-01 (xdotool's typed digits and repeated keys do not always reach its parts);
# leaving it fills in the age.
y=$(date +%Y) m=$(date +%-m) d=$(date +%-d)
steps() { if [ "$1" -ge 0 ]; then echo "down=$1"; else echo "up=$((-$1))"; fi; }
# The day first, so that no step passes through a date that does not exist.
fields "@keys:right=2,$(steps $((d - 1))),left=1,$(steps $((m - 4))),left=1,$(steps $((y - 1990)))"
xdotool key Return  # to the age, filled in from the birthday
sleep 0.6
xdotool key Return  # the age as it is; Next gets the focus
sleep 0.4
shot wizard-2
next_page
fields 会社員 03 1234 5678 "" "" "" taro@example.jp http://example.jp/
shot wizard-3
next_page
fields "" "" "" "" ""
shot wizard-4
xdotool key Return
save=$(wait_window "ﾕｰｻﾞｰﾌｧｲﾙを保存" 30) || fail "no save dialog after the wizard"
sleep 0.5
xdotool key ctrl+a
xdotool type --delay 40 "taro"
shot wizard-save
xdotool key Return
for _ in $(seq 150); do [ -f "$app/taro.ini" ] && break; sleep 0.1; done
[ -f "$app/taro.cv2" ] || fail "the wizard did not save taro.cv2"
sleep 1
for _ in $(seq 50); do look && break; sleep 0.2; done
close_program
# The program has written its settings once this Wine session has ended by itself (the
# desktop goes with its last program); the next start then makes a session of its own.
timeout 120 wineserver -w >/dev/null 2>&1 || wineserver -k >/dev/null 2>&1
sleep 1

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
# A desktop of another name: the first one goes away with the program that was in it.
desktop=cv2guide2
start_program
for _ in $(seq 300); do look && break; sleep 0.2; done
grep -q '^found=1' "$look_file" 2>/dev/null || fail "the main window did not appear"
desk_focus
sleep 1
shot main-window

# The item menu, opened on an item with the right button.
click_at $(row_point 山田 label) 3
shot item-menu
# Its icon submenu.
xdotool key i
shot item-icons
xdotool key Escape Escape
sleep 0.4

# The conversion submenu, where the program has it.
if iconv -f UTF-8 -t CP932 <<<"送信時の変換" | head -c 12 >"$work/needle" && grep -qaF -f "$work/needle" "$app/Corvell2.exe"; then
    click_at $(row_point 山田 label) 3
    xdotool key z
    shot convert-menu
    xdotool key Escape Escape
    sleep 0.4
else
    rm -f "$images/convert-menu.png"
    echo "picture: convert-menu left out (this program has no conversion submenu)"
fi

# The follow-up key button's menu (its arrow).
look
click_at $(value bar1button3right)
xdotool mousemove 880 620  # no button hint over the menu
sleep 0.8
shot follow-up-menu
xdotool key Escape
sleep 0.4

# The wait time dialog and the about box, from the item menu.
click_at $(row_point 山田 label) 3
xdotool key w
wait_window "Wait設定" 10 >/dev/null || fail "no wait time dialog"
shot wait-dialog
xdotool key Escape
sleep 0.5
click_at $(row_point 山田 label) 3
xdotool key v
wait_window "ﾊﾞｰｼﾞｮﾝ情報" 10 >/dev/null || fail "no about box"
shot about-box
xdotool key Return
sleep 0.5

# Compact mode: the first toolbar button, and back.
look
click_at $(value bar1button0)
xdotool mousemove 880 620
sleep 0.8
shot compact
click_at $(value bar1button0)
sleep 0.5

# Filling a form: the stand-in entry form beside the window, its first field clicked, then
# three items double-clicked one after the other.
(cd "$work" && exec wine64 explorer /desktop=$desktop,${desk_w}x$desk_h target.exe "$(winpath "$work/target.log")" \
    "応募フォーム" 285 60 >/dev/null 2>&1) &
wait_window "応募フォーム" 30 >/dev/null || fail "the entry form did not appear"
sleep 1.5
click_at 455 90
sleep 1.5
look
for item in "山田 太郎" "ヤマダ タロウ" 123-4567; do
    xdotool mousemove $(row_point "$item" label)
    sleep 0.3
    xdotool click --repeat 2 --delay 80 1
    sleep 1.5
done
grep -q '^field2=123-4567' "$work/target.log" 2>/dev/null || echo "guide_shots: the form was not filled as planned" >&2
shot form-filling 1

python3 "$root/scripts/build_guide.py" "$root/docs/guide.html.in" "$images" "$root/docs/Corvell2.html"
