#!/usr/bin/env bash
# Builds the release zip build/Corvell2-<version>-win64.zip: Corvell2.exe (a Release build
# of its own in build/package), the user's guide Corvell2.html, はじめにお読みください.txt
# and the licence; then starts the exe from the unpacked zip under Wine and checks that
# its first window (the new-user wizard, in an empty folder) appears.
#   bash scripts/package.sh
# The version is the project's (CMakeLists.txt). The guide is docs/Corvell2.html as
# committed; scripts/guide_shots.sh makes it anew.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/deps.sh
out=${CV2_BUILD_DIR:-$root/build}
build=$out/package

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j "$(nproc)" --target Corvell2
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "package: no project version in $build/CMakeCache.txt" >&2; exit 1; }
zip=$out/Corvell2-$version-win64.zip

# The texts for Notepad: CRLF line ends; the Japanese one in UTF-8 with a BOM.
stage=$(mktemp -d /tmp/cv2-package.XXXXXX)
check=
cleanup() {
    [ -n "$check" ] && { WINEPREFIX="$check/prefix" wineserver -k >/dev/null 2>&1 || true; }
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$stage" ${check:+"$check"}
}
trap cleanup EXIT
cp "$build/Corvell2.exe" "$stage/Corvell2.exe"
cp docs/Corvell2.html "$stage/Corvell2.html"
cp docs/readme-ja.txt "$stage/はじめにお読みください.txt"
sed 's/\r*$/\r/' LICENSE >"$stage/LICENSE.txt"
rm -f "$zip"
python3 scripts/make_zip.py "$zip" "$stage/Corvell2.exe" "$stage/Corvell2.html" \
    "$stage/はじめにお読みください.txt" "$stage/LICENSE.txt"
echo "package: $zip"
python3 - "$zip" <<'PY'
import sys, zipfile
for i in zipfile.ZipFile(sys.argv[1]).infolist():
    print('  %9d  %s' % (i.file_size, i.filename.encode('cp437').decode('cp932') if i.flag_bits & 0x800 == 0 else i.filename))
PY

# The exe from the zip starts under Wine.
. "$root/tests/e2e/lib.sh"
e2e_environment
check=$(mktemp -d /tmp/cv2-package-check.XXXXXX)
mkdir "$check/app"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extract("Corvell2.exe", sys.argv[2])' "$zip" "$check/app"
export WINEPREFIX="$check/prefix"
e2e_start_xvfb
xvfb_pid=$E2E_XVFB_PID
(cd "$check/app" && exec wine64 Corvell2.exe >/dev/null 2>&1) &
for _ in $(seq 600); do
    if xdotool search --onlyvisible --name '^(新規作成ウィザード|Corvell2！)$' 2>/dev/null | grep -q .; then
        echo "package: Corvell2.exe from the zip starts under Wine"
        exit 0
    fi
    sleep 0.2
done
echo "package: Corvell2.exe from the zip did not show a window within 120 s" >&2
exit 1
