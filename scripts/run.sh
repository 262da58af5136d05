#!/usr/bin/env bash
# Builds Corvell2.exe and starts it under Wine with the Japanese locale.
#   bash scripts/run.sh [user-file.cv2]
# With a display ($DISPLAY) the window opens there and the script returns when the program
# ends. Without one the program runs on its own Xvfb inside a Wine desktop (which draws
# window frames as Windows does); the script waits for the window, saves a screenshot to
# build/screenshot.png and ends the program.
#
# The program runs from build/run/, a folder of its own that keeps its user files and
# settings between runs (the first start, with no user file there, opens the new-user
# wizard). Wine gets a fresh prefix under build/ on every run.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/deps.sh
out=${CV2_BUILD_DIR:-$root/build}

cmake -S . -B "$out/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$out/win" -j "$(nproc)" --target Corvell2

mkdir -p "$out/run"
cp "$out/win/Corvell2.exe" "$out/run/Corvell2.exe"

export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export PATH="$PATH:/usr/lib/wine"  # Debian keeps wine64 and wineserver here
export WINEPREFIX="$out/wineprefix"
rm -rf "$WINEPREFIX"

xvfb_pid=
wine_pid=
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "$wine_pid" ] && kill "$wine_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

cd "$out/run"
if [ -n "${DISPLAY:-}" ]; then
    wine64 Corvell2.exe "$@" || true
    exit 0
fi

# No display: an Xvfb of our own on a free display number.
for n in $(seq 90 190); do
    if [ ! -e /tmp/.X$n-lock ] && [ ! -e /tmp/.X11-unix/X$n ]; then
        Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        export DISPLAY=:$n
        break
    fi
done
[ -n "$xvfb_pid" ] || { echo "no free X display number" >&2; exit 1; }
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.1; done

wineboot -i >/dev/null 2>&1 || wine64 wineboot -i >/dev/null 2>&1 || true
wine64 explorer /desktop=Corvell2,1024x768 Corvell2.exe "$@" >/dev/null 2>&1 &
wine_pid=$!

# The Wine desktop appears first; the program's window is drawn inside it. Wait until a
# window of the program exists (the main window, or the new-user wizard on a first start
# in an empty folder), then give it a moment to paint.
shown=0
for _ in $(seq 120); do
    if xdotool search --onlyvisible --name '^(Corvell2！|新規作成ウィザード)$' 2>/dev/null | grep -q .; then
        shown=1
        break
    fi
    sleep 0.5
done
sleep 3
import -window root "$out/screenshot.png"
if [ $shown = 1 ]; then
    echo "Corvell2 started; screenshot: $out/screenshot.png"
else
    echo "Corvell2 did not show up within 60 s; screenshot of the desktop: $out/screenshot.png" >&2
    exit 1
fi
