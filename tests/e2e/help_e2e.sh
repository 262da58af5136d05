#!/usr/bin/env bash
# Help from the item menu, end to end with real X input: with no help file beside the
# program and Corvell2.html there, the menu's Help hands the guide to the shell (the
# program registered for .html, here opened.exe, receives its path) and no error box
# appears; with neither file, Help shows the error box and OK closes it.
#
# Usage: help_e2e.sh Corvell2.exe opened.exe [folder for screenshots]
# Exits 77 (skipped) when Xvfb, xdotool, imagemagick or Wine are missing.
set -u
exe=$1
opener=$2
shots=${3:-}
. "$(dirname "$0")/lib.sh"
e2e_require Xvfb xdotool import wine64 wineserver iconv
e2e_environment

e2e_workspace help "$exe"
cp "$opener" "$work/opened.exe"

fail() {
    echo "FAIL: $*"
    [ -n "$shots" ] && import -window root "$shots/help-failure.png" 2>/dev/null
    exit 1
}
shot() {
    [ -n "$shots" ] || return 0
    sleep 0.3
    import -window root -crop 640x560+0+0 +repage "$shots/$1.png"
}

# The stand-in browser opens .html documents in this prefix.
wineboot -i >/dev/null 2>&1 || wine64 wineboot -i >/dev/null 2>&1
wine64 reg add 'HKCR\.html' /ve /d Corvell2Test.Guide /f >/dev/null 2>&1 || fail "cannot register .html"
wine64 reg add 'HKCR\Corvell2Test.Guide\shell\open\command' /ve /d "\"$(winpath "$work/opened.exe")\" \"%1\"" /f \
    >/dev/null 2>&1 || fail "cannot register the stand-in browser"

printf '住所\n\t東京都\n氏名\n' | iconv -f UTF-8 -t CP932 >"$app/user.cv2"
printf '[Window]\r\nWidth=178\r\nHeight=300\r\nTop=60\r\nLeft=100\r\nNodeSelect=0\r\n[ToolBtn]\r\nPasteBtn=0\r\n' >"$app/user.ini"
printf '<!DOCTYPE html><html lang="ja"><meta charset="utf-8"><title>guide</title></html>\n' >"$app/Corvell2.html"

desktop=cv2help
(cd "$app" && exec wine64 explorer /desktop=$desktop,640x560 Corvell2.exe >/dev/null 2>&1) &

# Windows titled like the program: the main window, and the error report's box.
titled() { xdotool search --onlyvisible --name '^Corvell2！$' 2>/dev/null | wc -l; }
desk=
for _ in $(seq 300); do
    desk=$(xdotool search --name "$desktop - " 2>/dev/null | head -1)
    [ -n "$desk" ] && break
    sleep 0.2
done
[ -n "$desk" ] || fail "the Wine desktop did not appear"
main=
for _ in $(seq 300); do
    main=$(xdotool search --onlyvisible --name '^Corvell2！$' 2>/dev/null | head -1)
    [ -n "$main" ] && break
    sleep 0.2
done
[ -n "$main" ] || fail "the main window did not appear"
sleep 1
[ "$(titled)" = 1 ] || fail "more than the main window at the start"

# The keyboard's menu key opens the item menu while the tree has the focus: a click into
# the tree's blank lower half gives it the focus without sending anything.
open_help() {
    xdotool windowfocus "$desk" 2>/dev/null
    xdotool mousemove $((100 + 178 / 2)) $((60 + 300 * 2 / 3))  # the window's place and size above
    sleep 0.3
    xdotool click 1
    sleep 0.3
    xdotool key Menu
    sleep 0.6
    shot help-menu
    xdotool key h
}

# The guide beside the program, no help file: the shell gets the guide.
open_help
for _ in $(seq 100); do [ -f "$work/opened.txt" ] && break; sleep 0.1; done
[ -f "$work/opened.txt" ] || fail "Help did not hand the guide to the shell"
got=$(grep '^argument=' "$work/opened.txt" | cut -d= -f2- | tr -d '\r')
want=$(winpath "$app/Corvell2.html")
[ "${got,,}" = "${want,,}" ] || fail "the shell opened [$got], expected [$want]"
sleep 1
[ "$(titled)" = 1 ] || fail "an error box appeared although the guide was opened"
echo "ok: Help opens Corvell2.html through the shell, no error box"

# Neither file: the error report's box, closed by OK.
rm -f "$app/Corvell2.html" "$work/opened.txt"
open_help
for _ in $(seq 50); do [ "$(titled)" = 2 ] && break; sleep 0.1; done
[ "$(titled)" = 2 ] || fail "no error box without a help file"
shot help-missing
[ -f "$work/opened.txt" ] && fail "the shell was called without a guide"
xdotool key Return
for _ in $(seq 50); do [ "$(titled)" = 1 ] && break; sleep 0.1; done
[ "$(titled)" = 1 ] || fail "OK did not close the error box"
echo "ok: without a help file the error box appears and OK closes it"
