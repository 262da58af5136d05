#!/usr/bin/env bash
# The program at 96 and at 144 dots per inch (Wine's LogPixels, set in a prefix of each
# run's own before anything starts): the Win32 tests of the main window and the three
# dialogs (laid out at the start and again on a move to one and a half times the
# resolution) pass at both, and at 144 the tool buttons, the tree's rows, the pictures and the
# status bar are one and a half times their size at 96 (within a pixel).
# With a folder for screenshots, the real program is shown there at both resolutions too:
# the wizard of a first start, the main window, its item menu, the wait-time dialog, the
# hotkey dialog and the about box (dpi96-*.png, dpi144-*.png).
#
# Usage: dpi_e2e.sh Corvell2.exe cv2_wintests.exe [folder for screenshots]
# Exits 77 (skipped) when Xvfb, xdotool, imagemagick or Wine are missing.
set -u
exe=$1
tests=$2
shots=${3:-}
. "$(dirname "$0")/lib.sh"
e2e_require Xvfb xdotool import wine64 wineserver iconv
e2e_environment

work=$(mktemp -d /tmp/cv2-dpi-e2e.XXXXXX)
e2e_start_xvfb
xvfb_pid=$E2E_XVFB_PID
cleanup() {
    wineserver -k >/dev/null 2>&1
    [ -n "$xvfb_pid" ] && kill $xvfb_pid 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    [ -n "$shots" ] && import -window root "$shots/dpi-failure.png" 2>/dev/null
    exit 1
}

gone() {
    for _ in $(seq $(($2 * 10))); do
        [ -z "$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)" ] && return 0
        sleep 0.1
    done
    return 1
}

shot() {
    [ -n "$shots" ] || return 0
    sleep 0.5
    import -window root -crop 1000x740+0+0 +repage "$shots/dpi$dpi-$1.png"
}

# The screenshots: the real program, driven by its keys.
show_program() {
    local app="$work/app$dpi"
    mkdir -p "$app"
    cp "$exe" "$app/Corvell2.exe"
    # A first start in an empty folder opens the wizard.
    (cd "$app" && exec wine64 Corvell2.exe >/dev/null 2>&1) &
    local wizard
    wizard=$(wait_window "新規作成ウィザード" 60) || fail "$dpi dpi: the wizard did not open"
    xdotool windowfocus --sync "$wizard" 2>/dev/null
    sleep 0.5
    shot wizard
    wineserver -k >/dev/null 2>&1
    sleep 1

    # A user file and settings as the program leaves them at this resolution: the designed
    # size in the monitor's pixels.
    rm -f "$app"/*.ini
    printf '郵便番号\n\t123\n\t4567\n住所\n\t東京都\n\t千代田区\n氏名\n\t山田\n\t太郎\nメールアドレス\n' |
        iconv -f UTF-8 -t CP932 >"$app/user.cv2"
    printf '[Window]\r\nWidth=%d\r\nHeight=%d\r\nTop=20\r\nLeft=20\r\nExpand=0,3\r\nNodeSelect=1\r\n[ToolBtn]\r\nResizeBtn=0\r\nPasteBtn=0\r\nShowToolBar2Btn=1\r\nClickChange=0\r\n[Image]\r\nindex0=5\r\nindex3=6\r\nindex6=7\r\nindex9=11\r\n' $((178 * dpi / 96)) $((388 * dpi / 96)) >"$app/user.ini"
    (cd "$app" && exec wine64 Corvell2.exe >/dev/null 2>&1) &
    local main
    main=$(wait_window "Corvell2！" 60) || fail "$dpi dpi: the main window did not open"
    xdotool windowfocus --sync "$main" 2>/dev/null
    sleep 1
    shot main-window
    # A right click into the tree below its items opens the item menu.
    xdotool mousemove $((20 + 60 * dpi / 96)) $((20 + 300 * dpi / 96))
    sleep 0.3
    xdotool click 3
    sleep 1
    shot item-menu
    xdotool key w
    wait_window "Wait設定" 20 >/dev/null || fail "$dpi dpi: the wait-time dialog did not open"
    shot wait-dialog
    xdotool key Escape
    gone "Wait設定" 20 || fail "$dpi dpi: the wait-time dialog did not close"
    sleep 0.5
    xdotool windowfocus --sync "$main" 2>/dev/null
    xdotool click 3
    sleep 1
    xdotool key y
    wait_window "ホットキーの設定" 20 >/dev/null || fail "$dpi dpi: the hotkey dialog did not open"
    shot hotkey-dialog
    xdotool key Escape
    gone "ホットキーの設定" 20 || fail "$dpi dpi: the hotkey dialog did not close"
    sleep 0.5
    xdotool windowfocus --sync "$main" 2>/dev/null
    xdotool click 3
    sleep 1
    xdotool key v
    wait_window "ﾊﾞｰｼﾞｮﾝ情報" 20 >/dev/null || fail "$dpi dpi: the about box did not open"
    shot about-box
    xdotool key Escape
    sleep 0.5
    wineserver -k >/dev/null 2>&1
    sleep 1
}

cp "$tests" "$work/cv2_wintests.exe"
for dpi in 96 144; do
    export WINEPREFIX="$work/prefix$dpi"
    wine64 reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null 2>&1 ||
        fail "could not set LogPixels"
    wineserver -w
    report="$work/report$dpi.txt"
    (cd "$work" && CV2_DPI_REPORT="$(winpath "$report")" timeout 240 wine64 cv2_wintests.exe \
        --gtest_filter='MainWindowDpi.*:DialogDpi.*:AboutBoxWin.LaysOut*:OptionFrmWin.LayoutAndInitialField:NewInputFrm.Opens*' \
        >"$work/tests$dpi.log" 2>&1) || { tail -40 "$work/tests$dpi.log"; fail "the Win32 tests failed at $dpi dpi"; }
    [ -f "$report" ] || fail "no sizes reported at $dpi dpi"
    tr -d '\r' <"$report" >"$report.unix" && mv "$report.unix" "$report"
    grep -q "^dpi $dpi\$" "$report" || fail "laid out at $(head -1 "$report"), expected $dpi dpi"
    echo "ok: $dpi dpi: $(tail -1 "$report")"
    [ -n "$shots" ] && show_program
    wineserver -k >/dev/null 2>&1
done

# "button 25x24 item 25x24 treeItem 18 ..." at both resolutions, side by side.
read -r -a small <<<"$(tail -1 "$work/report96.txt" | tr 'x' ' ')"
read -r -a large <<<"$(tail -1 "$work/report144.txt" | tr 'x' ' ')"
[ ${#small[@]} = ${#large[@]} ] || fail "the reports differ in shape"
check() {  # name, index of the value in the report
    local a=${small[$2]} b=${large[$2]}
    # 1.5 times, rounded half up, within a pixel: |2b - 3a| <= 2 (+1 for the rounding).
    local d=$((2 * b - 3 * a))
    [ ${d#-} -le 3 ] || fail "$1 is $b at 144 dpi, $a at 96: not one and a half times"
    echo "ok: $1 $a -> $b"
}
check "tool button width" 1
check "tool button height" 2
check "tool item width" 4
check "tool item height" 5
check "tree item height" 7
check "tree indent" 9
check "image size" 11
check "status bar height" 13
check "font height" 19
echo "PASS"
