#!/usr/bin/env bash
# Nothing lost, end to end under Wine with real X input:
#   clean     the session ends (wineboot -e) with a clean tree: both settings files are written
#             with every key
#   dirty     the session ends with unsaved changes: both settings files are written before
#             the save-changes question is answered; Cancel keeps the program running, No then
#             lets the session end with the user file unchanged
#   crash     an edit, then the program's process killed: its recovery file is there within
#             15 s; the next start asks to recover and Yes shows the edit unsaved; the start
#             after that, answered No, puts the recovery file aside
#   shared    another program holds the settings file open, sharing it: the icons load and
#             survive the exit
#   exclusive another program holds the settings file without sharing during start-up: its
#             bytes are unchanged after the exit
#   relative  a relative user-file argument, then an Open in another folder: each settings
#             file lands beside its own user file
#   undo      a group deleted from the item menu comes back with Ctrl+Z, texts, icons and
#             expansion as they were; Ctrl+Y and Ctrl+Z again; closing then asks nothing
#
# Usage: session_e2e.sh <build folder> <scenario> [folder for screenshots]
# Exits 77 (skipped) when Xvfb, xdotool or Wine are missing.
set -u
build=$1
scenario=$2
shots=${3:-}
. "$(dirname "$0")/lib.sh"
e2e_require Xvfb xdotool import wine64 wineserver iconv cmp
e2e_environment

work=$(mktemp -d /tmp/cv2-session-e2e.XXXXXX)
app="$work/app"
mkdir -p "$app/data" "$app/other"
cp "$build/Corvell2.exe" "$app/Corvell2.exe"
cp "$build/treeprobe.exe" "$build/fileholder.exe" "$work/"
export WINEPREFIX="$work/prefix"
e2e_start_xvfb
xvfb_pid=$E2E_XVFB_PID

cleanup() {
    touch "$work/release"
    rm -rf "$probe_dir"
    wineserver -k >/dev/null 2>&1
    [ -n "$xvfb_pid" ] && kill $xvfb_pid 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    [ -n "$shots" ] && import -window root "$shots/session-$scenario-failure.png" 2>/dev/null
    exit 1
}
e2e_prefix

shot() {
    [ -n "$shots" ] || return 0
    import -window root -crop 640x560+0+0 +repage "$shots/session-$1.png"
}

desktop=cv2session
desktop_size=640x560

# The probe (lib.sh): one treeprobe that stays on the program's desktop, started by
# start_program.
probe_dir="$work/probe"
look_file="$work/look.txt"
# Whether a dialog of the program with that caption (the save-changes question by default)
# is open: 1 or 0.
box_state() {
    if ask_into "$work/box.txt" box "${1:-Corvel2！}"; then
        sed -n 's/^found=//p' "$work/box.txt"
    else
        echo 0
    fi
}
box_open() { [ "$(box_state "$@")" = 1 ]; }

# The user file and its settings: icons on three items, every key present.
user_text() { printf '郵便番号\n\t123\n住所\n\t東京都\n氏名\n' | iconv -f UTF-8 -t CP932; }
user_text >"$app/data/user.cv2"
settings='[Window]\r\nWidth=178\r\nHeight=300\r\nTop=40\r\nLeft=80\r\nExpand=0\r\nNodeSelect=1\r\n[ToolBtn]\r\nResizeBtn=0\r\nPasteBtn=0\r\nShowToolBar2Btn=1\r\nClickChange=0\r\n[Paste]\r\nWaitTime=120\r\n[Menu]\r\nTabEnter=1\r\n[Image]\r\nindex0=5\r\nindex1=0\r\nindex2=6\r\nindex3=0\r\nindex4=11\r\n'
printf "$settings" >"$app/data/user.ini"

# Starts the program from $app with the given arguments and waits for its window.
start_program() {
    desktop_start "$app" Corvell2.exe "$@"
    probe_start
    local deadline=$((SECONDS + 60))
    until look; do
        [ $SECONDS -lt $deadline ] || fail "the main window did not appear"
        sleep 0.2
    done
}
# Waits until the probe reports the main window gone (a probe that did not get through
# says nothing).
wait_gone() {
    local deadline=$((SECONDS + 30))
    while [ $SECONDS -lt $deadline ]; do
        look || { grep -q '^found=0' "$look_file" 2>/dev/null && return 0; }
        sleep 0.2
    done
    [ -f "$look_file" ] || fail "the probe did not answer"
    fail "the main window is still there"
}
# Clicks a button (6 Yes, 7 No, 2 Cancel) of a question (the save-changes question unless a
# caption is given) until the question is gone. While the program asks, the session's own
# notice "待機中" (the program is not answering) comes up over it: it is moved aside first,
# as a user would.
answer_box() {
    local point caption=${2:-Corvel2！}
    for _ in $(seq 50); do box_open "$caption" && break; sleep 0.2; done
    box_open "$caption" || fail "the question $caption did not appear"
    for _ in $(seq 10); do
        ask_into "$work/aside.txt" aside "待機中"
        box_open "$caption" || return 0
        shot "$scenario-question"
        point=$(sed -n "s/^button$1=//p" "$work/box.txt")
        [ -n "$point" ] || fail "the question has no button $1"
        xdotool mousemove $point click 1
        sleep 0.3
        box_open "$caption" || return 0
    done
    fail "the question did not take the click on button $1"
}
# True when the main window is (still) there; the probe is asked a few times.
running() {
    for _ in $(seq 10); do look && return 0; sleep 0.3; done
    return 1
}
# An unsaved change: an item added through the item menu.
make_dirty() {
    local point
    point=$(row_point 氏名 label) || fail "no row to click"
    xdotool mousemove $point click 3
    sleep 0.6
    xdotool key a
    sleep 0.6
    xdotool key Return
    for _ in $(seq 30); do
        look && [ "$(value tree)" = "郵便番号+(123) 住所(東京都) 氏名 新規項目" ] && return 0
        sleep 0.2
    done
    fail "no item added: [$(value tree)]"
}
# wineboot on the desktop, waited for: it returns once every window has answered.
end_session() { ask_wait=6000 ask_into "$work/ended.txt" run "wineboot.exe -e"; }
# The program's own Wine process (its Windows command line starts with the exe), in this prefix.
program_pid() {
    local p
    for p in $(pgrep -f 'Corvell2\.exe'); do
        tr '\0' '\n' <"/proc/$p/cmdline" 2>/dev/null | head -1 | grep -q 'Corvell2\.exe$' || continue
        tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo $p && return 0
    done
    return 1
}
# Kills the program as a crash or a power cut would end it, and waits until it is gone.
kill_program() {
    local pid
    pid=$(program_pid) || fail "the program's process was not found"
    kill -9 "$pid"
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
    wait_gone
}
# Starts the program, which asks whether to recover before its window is shown.
start_asking() {
    desktop_start "$app" Corvell2.exe data\\user.cv2
    probe_start
}
has_every_key() {
    local key
    for key in Width Height Top Left Expand NodeSelect ResizeBtn PasteBtn ShowToolBar2Btn ClickChange WaitTime \
        TabEnter index0 index4; do
        grep -q "^$key=" "$1" || fail "$1 lacks $key: $(tr '\r\n' ' ' <"$1")"
    done
}

case $scenario in
clean)
    start_program data\\user.cv2
    end_session
    wait_gone
    for ini in "$app/Corvell2.ini" "$app/data/user.ini"; do
        [ -f "$ini" ] || fail "$ini was not written"
        has_every_key "$ini"
    done
    grep -q '^index4=11' "$app/data/user.ini" || fail "the icons were lost"
    echo "ok: a clean session end writes both settings files with every key"
    ;;
dirty)
    start_program data\\user.cv2
    make_dirty
    rm -f "$app/data/user.ini"
    (end_session; touch "$work/ended1") &
    for _ in $(seq 50); do box_open && break; sleep 0.2; done
    box_open || fail "the save-changes question did not appear"
    # Windows may end the program while it asks: what it keeps is written by then.
    has_every_key "$app/Corvell2.ini"
    has_every_key "$app/data/user.ini"
    echo "ok: both settings files are written before the question is answered"
    answer_box 2
    for _ in $(seq 100); do [ -f "$work/ended1" ] && break; sleep 0.2; done
    sleep 1
    running || fail "Cancel did not keep the program running"
    echo "ok: Cancel keeps the program running"
    (end_session; touch "$work/ended2") &
    answer_box 7
    wait_gone
    user_text | cmp -s - "$app/data/user.cv2" || fail "No changed the user file"
    [ ! -f "$app/data/user.cv2.recovery" ] || fail "No left the recovery file"
    echo "ok: No ends the session with the user file unchanged"
    ;;
crash)
    recovery="$app/data/user.cv2.recovery"
    start_program data\\user.cv2
    make_dirty
    for _ in $(seq 75); do [ -f "$recovery" ] && break; sleep 0.2; done
    [ -f "$recovery" ] || fail "no recovery file 15 s after the edit"
    kill_program
    echo "ok: the recovery file is written within 15 s of an edit"
    start_asking
    answer_box 6 Corvell2！
    for _ in $(seq 50); do look && [ "$(value tree)" = "郵便番号+(123) 住所(東京都) 氏名 新規項目" ] && break; sleep 0.2; done
    [ "$(value tree)" = "郵便番号+(123) 住所(東京都) 氏名 新規項目" ] || fail "the edit did not come back: [$(value tree)]"
    shot crash-recovered
    ask_into "$work/close.txt" close
    answer_box 2
    running || fail "Cancel closed the program"
    echo "ok: Yes brings the edit back, unsaved"
    kill_program
    start_asking
    answer_box 7 Corvell2！
    for _ in $(seq 50); do look && [ "$(value tree)" = "郵便番号+(123) 住所(東京都) 氏名" ] && break; sleep 0.2; done
    [ "$(value tree)" = "郵便番号+(123) 住所(東京都) 氏名" ] || fail "No did not start with the user file: [$(value tree)]"
    [ -f "$recovery.old" ] && [ ! -f "$recovery" ] || fail "the recovery file was not put aside: $(ls "$app/data")"
    ask_into "$work/close.txt" close
    wait_gone
    user_text | cmp -s - "$app/data/user.cv2" || fail "the user file changed"
    echo "ok: No starts with the user file and keeps the recovery file aside"
    ;;
shared | exclusive)
    rm -f "$work/ready"
    (cd "$work" && wine64 fileholder.exe $scenario "$(winpath "$app/data/user.ini")" "$(winpath "$work/ready")" \
        "$(winpath "$work/release")" >/dev/null 2>&1) &
    for _ in $(seq 150); do [ -f "$work/ready" ] && break; sleep 0.2; done
    [ -f "$work/ready" ] || fail "the file holder did not start"
    before=$(md5sum <"$app/data/user.ini")
    start_program data\\user.cv2
    shot "$scenario-started"
    if [ $scenario = exclusive ]; then touch "$work/release"; sleep 1; fi
    ask_into "$work/close.txt" close
    wait_gone
    touch "$work/release"
    if [ $scenario = shared ]; then
        grep -q '^index0=5' "$app/data/user.ini" && grep -q '^index4=11' "$app/data/user.ini" ||
            fail "the icons did not survive: $(tr '\r\n' ' ' <"$app/data/user.ini")"
        echo "ok: a settings file held with sharing is read and its icons survive the exit"
    else
        [ "$(md5sum <"$app/data/user.ini")" = "$before" ] || fail "the held settings file was replaced"
        echo "ok: a settings file held without sharing at start-up is unchanged after the exit"
    fi
    ;;
relative)
    printf 'Other\n' >"$app/other/b.cv2"
    rm -f "$app/data/user.ini"
    start_program data\\user.cv2
    # Open (second button of the second toolbar) and the other folder's file.
    xdotool mousemove $(value bar2button1) click 1
    for _ in $(seq 50); do box_open "ﾕｰｻﾞｰﾌｧｲﾙを開く" && break; sleep 0.2; done
    box_open "ﾕｰｻﾞｰﾌｧｲﾙを開く" || fail "the open dialog did not appear"
    shot relative-open-dialog
    xdotool type --delay 40 "$(winpath "$app/other/b.cv2")"
    xdotool key Return
    for _ in $(seq 50); do look && [ "$(value tree)" = "Other" ] && break; sleep 0.2; done
    [ "$(value tree)" = "Other" ] || fail "the other file was not opened: [$(value tree)]"
    [ -f "$app/data/user.ini" ] || fail "the settings of the file left did not land beside it: $(find "$app" -name '*.ini')"
    ask_into "$work/close.txt" close
    wait_gone
    [ -f "$app/other/b.ini" ] || fail "the settings of the other file did not land beside it"
    strays=$(find "$app" -name '*.ini' | sort | tr '\n' ' ')
    [ "$strays" = "$app/Corvell2.ini $app/data/user.ini $app/other/b.ini " ] || fail "settings files: $strays"
    echo "ok: each settings file lands beside its own user file"
    ;;
undo)
    start_program data\\user.cv2
    whole="郵便番号+(123) 住所(東京都) 氏名"
    icons="5 0 6 0 11"
    [ "$(value tree)" = "$whole" ] && [ "$(value icons)" = "$icons" ] ||
        fail "the user file is not shown as stored: [$(value tree)] [$(value icons)]"
    # The item menu on the group, its delete entry by the accelerator, and Yes.
    xdotool mousemove $(row_point 郵便番号 label) click 3
    for _ in $(seq 50); do ask_into "$work/menus.txt" menus && grep -qx 'menus=[1-9]' "$work/menus.txt" && break; sleep 0.1; done
    xdotool key d
    for _ in $(seq 50); do box_open 選択アイテム削除 && break; sleep 0.2; done
    box_open 選択アイテム削除 || fail "no question before the delete"
    xdotool mousemove $(sed -n 's/^button6=//p' "$work/box.txt") click 1
    # Waits until the tree reads $1 and its icons $2, or fails with $3.
    expect_tree() {
        for _ in $(seq 50); do
            look && [ "$(value tree)" = "$1" ] && [ "$(value icons)" = "$2" ] && return 0
            sleep 0.2
        done
        fail "$3: [$(value tree)] [$(value icons)]"
    }
    expect_tree "住所(東京都) 氏名" "6 0 11" "the group was not deleted"
    shot undo-deleted
    xdotool key ctrl+z
    expect_tree "$whole" "$icons" "Ctrl+Z did not bring the group back"
    shot undo-undone
    xdotool key ctrl+y
    expect_tree "住所(東京都) 氏名" "6 0 11" "Ctrl+Y did not delete the group again"
    xdotool key ctrl+z
    expect_tree "$whole" "$icons" "the second Ctrl+Z did not bring the group back"
    echo "ok: Ctrl+Z and Ctrl+Y take the delete back and forth with texts, icons and expansion"
    # In an in-place edit the keys are the edit's: Ctrl+Y there redoes nothing in the tree.
    xdotool mousemove $(row_point 氏名 label) click 3
    for _ in $(seq 50); do ask_into "$work/menus.txt" menus && grep -qx 'menus=[1-9]' "$work/menus.txt" && break; sleep 0.1; done
    xdotool key e
    # The edit has the focus once it is open (the tree, control 10, has it before).
    editing() { ask_into "$work/focus.txt" fields Corvell2！ && grep '^focus=' "$work/focus.txt" | grep -vqx 'focus=10'; }
    for _ in $(seq 50); do editing && break; sleep 0.1; done
    editing || fail "no in-place edit from the menu"
    xdotool type --delay 60 "Edited"
    xdotool key ctrl+y
    xdotool key Escape
    expect_tree "$whole" "$icons" "Ctrl+Y in the edit reached the tree"
    echo "ok: Ctrl+Y in an in-place edit stays there"
    # Nothing is changed now: closing asks nothing.
    ask_into "$work/close.txt" close
    deadline=$((SECONDS + 30))
    while look; do
        box_open && fail "closing asked to save a tree that is as stored"
        [ $SECONDS -lt $deadline ] || fail "the main window did not close"
        sleep 0.2
    done
    grep -q '^found=0' "$look_file" || fail "the probe did not answer"
    user_text | cmp -s - "$app/data/user.cv2" || fail "the user file changed"
    grep -q '^index0=5' "$app/data/user.ini" && grep -q '^index4=11' "$app/data/user.ini" ||
        fail "the icons were not written back: $(tr '\r\n' ' ' <"$app/data/user.ini")"
    echo "ok: closing after the undo asks nothing"
    ;;
*)
    fail "no scenario $scenario"
    ;;
esac
echo "PASS"
exit 0
