#!/usr/bin/env bash
# Sending items into other programs, end to end under Wine with real X input.
#
#   send_e2e.sh <folder of the built programs> <scenario>
#
# Scenarios:
#   tab      single-click mode, follow-up Tab: items fill a form's fields one after the other;
#            Ctrl+click sends twice (press and click)
#   enter    double-click mode, follow-up Enter: a click sends nothing, a double click sends
#            and submits; Ctrl+click sends once; follow-up none leaves the focus in place
#   special  the diary stand-in gets WM_PASTE and no Ctrl+V; a clipboard held by another
#            program gives the error box and pastes nothing
#   default  the settings of a new user (no wait time stored, double-click mode, no follow-up
#            key): 12 double-clicks in a row all arrive exactly
#   held     the user holds Shift, then Alt, while double-clicking, follow-up Tab: the text
#            arrives exactly, the focus moves forward, and Alt opens no menu bar
#   convert  each conversion mode and the hyphen option, read from the settings file: the
#            target's fields get the converted texts
#   typing   the conversion submenu driven by its keys: typing mode fills fields that refuse
#            pasting; the choice is stored on closing and back after a restart
#   busy3, busy10, busy, notarget   see send_busy.sh
#   form     groups of children into a form, Esc, an item's own way of sending: see send_group.sh
#   typemeasure [count]   not a test: types an item count times (default 20) into one
#            field and counts the characters lost (E2E_LONG: the item's text)
#   measure [count] [wait] [read delay]   not a test: times sends from the click to the
#            text arriving, minus the wait time (default 50 sends with a wait time of
#            300 ms); see send_busy.sh for the read delay and the taken figures
#   formmeasure [read delay] [rounds]   not a test: a 20-field form by one group send beside
#            20 double-clicks; see send_group.sh
#
# Each run makes its own Wine prefix and X server and removes them. Exit 77: skipped.
set -u
BIN=$(cd "$1" && pwd)
SCENARIO=$2
SRC=$(cd "$(dirname "$0")/../.." && pwd)

. "$SRC/tests/e2e/lib.sh"
e2e_require xdotool Xvfb wine64
for exe in Corvell2 target special_target clipholder probe treeprobe browser keywatch; do
    [ -f "$BIN/$exe.exe" ] || { echo "SKIP: $exe.exe was not built"; exit 77; }
done

e2e_environment
WORK=$(mktemp -d /tmp/cv2-e2e.XXXXXX)
export WINEPREFIX=$WORK/prefix
XVFB_PID=
cleanup() {
    wineserver -k >/dev/null 2>&1
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

e2e_start_xvfb
XVFB_PID=$E2E_XVFB_PID

cp "$BIN"/{Corvell2,target,special_target,clipholder,probe,treeprobe,browser,keywatch}.exe "$WORK"/
[[ $SCENARIO == *measure ]] && cp "$BIN"/measure.exe "$WORK"/
cd "$WORK"
wine64 wineboot -i >/dev/null 2>&1
WIN=$(printf 'Z:%s' "$WORK" | tr / '\\')

FAILURES=0
fail() {
    echo "FAIL: $*"
    FAILURES=$((FAILURES + 1))
}
check() {  # check <file> <exact line> <what>
    if grep -qxF -- "$2" "$1"; then
        echo "ok: $3"
    else
        fail "$3: no line '$2' in $1:"
        sed 's/^/    /' "$1"
    fi
}

# Runs a program inside the one Wine desktop, so that frames and activation behave as on
# Windows and screen coordinates are the X screen's. Wine's messages go to $RUN_ERR.
RUN_ERR=/dev/null
run() { wine64 explorer /desktop=e2e,1024x768 "$@" >/dev/null 2>>"$RUN_ERR" & }

# probe <out file> <arguments...>: runs the probe inside the desktop (windows of another
# desktop are invisible to it) and waits for its answer.
probe() {
    local out=$1
    shift
    rm -f "$out"
    # In the background: when it happens to start the desktop, its explorer stays to serve it.
    run probe.exe "$1" "$WIN\\$out" "${@:2}"
    local end=$((SECONDS + 10))
    while [ $SECONDS -lt $end ] && [ ! -f "$out" ]; do sleep 0.1; done
}

wait_for() {  # wait_for <file> <line> <seconds>
    local end=$((SECONDS + $3))
    while [ $SECONDS -lt $end ]; do
        grep -qxF -- "$2" "$1" 2>/dev/null && return 0
        sleep 0.2
    done
    return 1
}

# The user file: a first item that stays selected and is never clicked (the tree starts an
# in-place edit when the selected item is clicked again), then the items to send.
ITEMS=("見出し" "123-4567" "東京都港区芝公園1-2-3" "山田 太郎" "ﾔﾏﾀﾞ ﾀﾛｳ" "taro@example.jp")
write_items() { printf '%s\r\n' "${ITEMS[@]}" | iconv -f UTF-8 -t CP932 > user.cv2; }
write_items

# start_program <ClickChange> <TabEnter> <WaitTime, or - for none stored> [more settings lines]
# (WINDOW_HEIGHT and EXPAND, the Expand list, change the window's height and open items)
start_program() {
    wineserver -k >/dev/null 2>&1
    sleep 0.5
    local paste=
    [ "$3" != - ] && printf -v paste '[Paste]\r\nWaitTime=%s\r\n' "$3"
    printf '[Window]\r\nWidth=200\r\nHeight=%s\r\nTop=10\r\nLeft=10\r\nExpand=%s\r\nNodeSelect=0\r\n[ToolBtn]\r\nResizeBtn=0\r\nPasteBtn=1\r\nShowToolBar2Btn=1\r\nClickChange=%s\r\n%s[Menu]\r\nTabEnter=%s\r\n%b' \
        "${WINDOW_HEIGHT:-320}" "${EXPAND:-No}" "$1" "$paste" "$2" "${4:-}" > user.ini
    cp user.ini Corvell2.ini
    restart_program
}

# Starts the program again on the settings it left.
restart_program() {
    rm -f items.txt
    run Corvell2.exe "$WIN\\user.cv2"
    local end=$((SECONDS + 20))
    while [ $SECONDS -lt $end ]; do
        probe items.txt items
        local shown
        shown=$(grep -c '^item' items.txt 2>/dev/null)
        [ "${shown:-0}" -ge ${#ITEMS[@]} ] && return 0
        sleep 0.5
    done
    echo "FAIL: the program did not show its tree"
    exit 1
}

item_xy() { grep "^item$1=" items.txt | cut -d= -f2; }

# click_item <index> [xdotool click options...]
click_item() {
    local xy
    xy=$(item_xy "$1")
    shift
    # The pointer has to move over the item first: sending uses the last movement's record.
    xdotool mousemove $xy
    sleep 0.2
    xdotool mousemove_relative 1 0
    sleep 0.2
    xdotool click "$@" 1
    sleep 1
}

start_target() {  # start_target <log> [menu|nopaste]
    rm -f "$1"
    run target.exe "$WIN\\$1" "応募フォーム - Target" 400 100 ${2:-}
    wait_for "$1" "focus=0" 15 || { echo "FAIL: target did not start"; exit 1; }
}

# Brings a window to the foreground with a click at x y and lets the tracking timer see it.
activate() {
    xdotool mousemove "$1" "$2" click 1
    sleep 1
}

case "$SCENARIO" in
tab)
    start_program 1 1 300
    start_target form.log
    activate 560 150
    for i in 1 2 3 4 5; do click_item $i; done
    check form.log "field0=123-4567" "first field"
    check form.log "field1=東京都港区芝公園1-2-3" "second field (Japanese)"
    check form.log "field2=山田 太郎" "third field"
    check form.log "field3=ﾔﾏﾀﾞ ﾀﾛｳ" "fourth field (half-width kana)"
    check form.log "field4=taro@example.jp" "fifth field"
    check form.log "submitted=0" "Tab never submits"

    # Ctrl+click in single-click mode: the press and the click both send.
    start_target form2.log
    activate 560 150
    xdotool keydown ctrl
    click_item 1
    xdotool keyup ctrl
    # Both sends end with a Tab: the focus on the third field says both are done.
    wait_for form2.log "focus=2" 10
    check form2.log "field0=123-4567" "Ctrl+click: first send"
    check form2.log "field1=123-4567" "Ctrl+click: second send"
    check form2.log "focus=2" "Ctrl+click: a Tab after each send"
    ;;
enter)
    start_program 0 2 300
    start_target form.log
    activate 560 150
    click_item 2
    check form.log "field0=" "double-click mode: a single click sends nothing"
    click_item 3 --repeat 2 --delay 80
    check form.log "field0=山田 太郎" "double click sends"
    check form.log "submitted=1" "follow-up Enter submits"
    xdotool keydown ctrl
    click_item 1
    xdotool keyup ctrl
    sleep 1
    check form.log "field0=山田 太郎123-4567" "Ctrl+click sends once in double-click mode"
    check form.log "submitted=2" "Ctrl+click: Enter once more"

    start_program 1 0 300
    start_target form2.log
    activate 560 150
    click_item 1
    click_item 2
    check form2.log "field0=123-4567東京都港区芝公園1-2-3" "follow-up none: both texts in the first field"
    check form2.log "focus=0" "follow-up none: the focus stays"
    check form2.log "submitted=0" "follow-up none: nothing submitted"
    ;;
special)
    start_program 1 1 300
    rm -f diary.log
    run special_target.exe "$WIN\\diary.log" 400 100
    wait_for diary.log "paste=0" 15 || { echo "FAIL: diary stand-in did not start"; exit 1; }
    activate 600 250
    click_item 3
    check diary.log $'text=山田 太郎\t' "diary gets the text, then the follow-up Tab"
    check diary.log "paste=1" "by WM_PASTE"
    check diary.log "ctrlv=0" "and no Ctrl+V"

    # Another program holds the clipboard: the error box, nothing pasted.
    rm -f held.txt
    run clipholder.exe "$WIN\\held.txt" 8000
    wait_for held.txt "state=held" 10 || { echo "FAIL: clipboard holder did not start"; exit 1; }
    activate 600 250
    click_item 1
    sleep 1
    probe box.txt box "Corvell2！"
    check box.txt "found=1" "error box shown"
    check box.txt "text=クリップボードを開くことができません." "error box text"
    check diary.log $'text=山田 太郎\t' "nothing pasted while the clipboard was held"
    check diary.log "paste=1" "no WM_PASTE while the clipboard was held"
    ;;
default)
    start_program 0 0 -
    start_target form.log
    activate 560 150
    expected=
    for i in $(seq 12); do
        item=$((1 + i % 2))
        click_item $item --repeat 2 --delay 80
        expected+=${ITEMS[$item]}
    done
    check form.log "field0=$expected" "12 double-clicks at the default settings, every text exact"
    check form.log "focus=0" "no follow-up key: the focus stays"
    ;;
held)
    start_program 0 1 -
    start_target form.log menu
    activate 560 170
    xdotool keydown shift
    click_item 1 --repeat 2 --delay 80
    xdotool keyup shift
    sleep 0.5
    check form.log "field0=123-4567" "Shift held: the text is exact"
    check form.log "focus=1" "Shift held: Tab moves the focus forward"
    xdotool keydown alt
    click_item 2 --repeat 2 --delay 80
    xdotool keyup alt
    sleep 0.5
    check form.log "field1=東京都港区芝公園1-2-3" "Alt held: the text is exact"
    check form.log "focus=2" "Alt held: Tab moves the focus forward"
    check form.log "menus=0" "Alt held: the target's menu bar does not open"
    ;;
convert)
    ITEMS=("見出し" "ＡＢＣ１２３　ﾔﾏﾀﾞ ﾊﾟｰｸ" "やまだ たろう ソ表\\" "03-1234-5678" "〒123ー4567 コーヒー")
    write_items
    # expected <mode> <NoHyphen> <the four fields>
    expect_fields() {
        local mode=$1 hyphen=$2 i
        shift 2
        start_program 1 1 300 "[Convert]\r\nMode=$mode\r\nNoHyphen=$hyphen\r\n"
        start_target conv$mode$hyphen.log
        activate 560 150
        for i in 1 2 3 4; do click_item $i; done
        for i in 0 1 2 3; do
            check conv$mode$hyphen.log "field$i=$1" "mode $mode, hyphens $hyphen, item $((i + 1))"
            shift
        done
    }
    expect_fields 0 0 "ＡＢＣ１２３　ﾔﾏﾀﾞ ﾊﾟｰｸ" "やまだ たろう ソ表\\" "03-1234-5678" "〒123ー4567 コーヒー"
    expect_fields 1 0 "ABC123 ﾔﾏﾀﾞ ﾊﾟｰｸ" "やまだ たろう ソ表\\" "03-1234-5678" "〒123ー4567 コーヒー"
    expect_fields 2 0 "ＡＢＣ１２３　ヤマダ　パーク" "やまだ　たろう　ソ表＼" "０３－１２３４－５６７８" "〒１２３ー４５６７　コーヒー"
    expect_fields 3 0 "ＡＢＣ１２３　ヤマダ パーク" "ヤマダ タロウ ソ表\\" "03-1234-5678" "〒123ー4567 コーヒー"
    expect_fields 4 0 "ＡＢＣ１２３　やまだ ぱーく" "やまだ たろう そ表\\" "03-1234-5678" "〒123ー4567 こーひー"
    expect_fields 5 0 "ABC123 ﾔﾏﾀﾞ ﾊﾟｰｸ" "ﾔﾏﾀﾞ ﾀﾛｳ ｿ表\\" "03-1234-5678" "〒123ｰ4567 ｺｰﾋｰ"
    expect_fields 0 1 "ＡＢＣ１２３　ﾔﾏﾀﾞ ﾊﾟｰｸ" "やまだ たろう ソ表\\" "0312345678" "〒1234567 コーヒー"
    # The tree keeps what was written.
    saved=$(iconv -f CP932 -t UTF-8 user.cv2 | tr -d '\r' | sed -n 2p)
    [ "$saved" = "ＡＢＣ１２３　ﾔﾏﾀﾞ ﾊﾟｰｸ" ] || fail "the user file changed: [$saved]"
    ;;
typing)
    start_program 1 1 300
    # A field that refuses pasting gets nothing from Ctrl+V.
    start_target nopaste.log nopaste
    activate 560 150
    click_item 5
    check nopaste.log "field0=" "Ctrl+V pastes nothing into a field that refuses it"
    check nopaste.log "refused=1" "the field refused the paste"

    # The item menu's conversion submenu, by its keys: キー入力で送る, then 全角.
    # Keys go to the Wine desktop only while it has the X input focus.
    desk_window=$(xdotool search --name "e2e - " 2>/dev/null | head -1)
    [ -n "$desk_window" ] && xdotool windowfocus "$desk_window" 2>/dev/null
    MENU_SHOTS=0
    open_convert_menu() {
        xdotool mousemove $(item_xy 0)
        sleep 0.2
        xdotool click 3
        sleep 0.5
        # A send leaves the X focus with the target's side; the menu needs it back.
        [ -n "$desk_window" ] && xdotool windowfocus "$desk_window" 2>/dev/null
        xdotool key z
        sleep 0.5
        MENU_SHOTS=$((MENU_SHOTS + 1))
        import -window root "/tmp/cv2-e2e-typing-menu$MENU_SHOTS.png" 2>/dev/null
    }
    open_convert_menu
    xdotool key k
    sleep 0.5
    # The target stays the target while the program's own menu is open.
    click_item 5
    click_item 3
    check nopaste.log "field1=taro@example.jp" "typing mode types the text into a field that refuses pasting"
    check nopaste.log "field2=山田 太郎" "typing mode types Japanese text, then Tab"
    check nopaste.log "refused=1" "no paste was tried"
    open_convert_menu
    xdotool key 2
    sleep 0.5
    click_item 1
    check nopaste.log "field3=１２３－４５６７" "typed text is converted too"

    # Closing stores the choice in both settings files; a restart shows and uses it.
    rm -f close.txt
    run treeprobe.exe close "$WIN\\close.txt"
    for ini in user.ini Corvell2.ini; do
        wait_for "$ini" "Typing=1"$'\r' 15 || fail "$ini lacks Typing=1: $(tr -d '\r' < "$ini" | tr '\n' ' ')"
        grep -qx "Mode=2"$'\r' "$ini" || fail "$ini lacks Mode=2: $(tr -d '\r' < "$ini" | tr '\n' ' ')"
        grep -qx "NoHyphen=0"$'\r' "$ini" || fail "$ini lacks NoHyphen=0"
    done
    echo "ok: the choice was stored on closing"
    wineserver -k >/dev/null 2>&1
    sleep 0.5
    restart_program
    open_convert_menu
    xdotool key Escape
    sleep 0.3
    xdotool key Escape
    sleep 0.3
    start_target nopaste2.log nopaste
    activate 560 150
    click_item 4
    check nopaste2.log "field0=ヤマダ　タロウ" "after a restart: typed, and in mode 2"
    check nopaste2.log "refused=0" "after a restart: no paste was tried"
    ;;
typemeasure)
    COUNT=${3:-20}
    # The item must fit in the window's width: the click goes to the middle of its label.
    LONG=${E2E_LONG:-"ﾔﾏﾀﾞ ﾀﾛｳ 03-1234 ab@c.jp"}
    ITEMS=("見出し" "$LONG")
    write_items
    start_program 1 0 300 "[Convert]\r\nTyping=1\r\n"
    start_target long.log
    activate 560 150
    start=$(date +%s%N)
    for _ in $(seq "$COUNT"); do click_item 1; done
    elapsed=$((($(date +%s%N) - start) / 1000000))
    sleep 2
    got=$(grep '^field0=' long.log | cut -d= -f2-)
    want=$(for _ in $(seq "$COUNT"); do printf '%s' "$LONG"; done)
    echo "typed $COUNT x ${#LONG} characters: got ${#got}, lost $((${#want} - ${#got})), exact: $([ "$got" = "$want" ] && echo yes || echo no), ${elapsed} ms for the clicks"
    [ "$got" = "$want" ] || sed 's/^/    /' long.log
    ;;
*)
    # The scenarios of the files beside: scenario_<name> [arguments...]
    . "$SRC/tests/e2e/send_busy.sh"
    . "$SRC/tests/e2e/send_group.sh"
    declare -F "scenario_$SCENARIO" >/dev/null || { echo "unknown scenario $SCENARIO"; exit 2; }
    "scenario_$SCENARIO" "${@:3}"
    ;;
esac

if [ $FAILURES -gt 0 ]; then
    import -window root "/tmp/cv2-e2e-$SCENARIO-fail.png" 2>/dev/null && echo "screenshot: /tmp/cv2-e2e-$SCENARIO-fail.png"
    exit 1
fi
echo "all checks passed"
