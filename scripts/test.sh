#!/usr/bin/env bash
# Builds everything and runs every test: the portable core natively (plain, and with
# AddressSanitizer and UBSan), the fuzzers briefly (clang, libFuzzer), and the Windows
# program with its tests under Wine and Xvfb. Ends with ctest's summary of all of them.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/deps.sh
jobs=$(nproc)
out=${CV2_BUILD_DIR:-$root/build}
mkdir -p "$out"

cmake -S . -B "$out/native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$out/native" -j "$jobs"
cmake -S . -B "$out/asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCV2_SANITIZE=ON -DCV2_BENCH=OFF >/dev/null
cmake --build "$out/asan" -j "$jobs"
CC=clang CXX=clang++ cmake -S . -B "$out/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCV2_FUZZ=ON \
    -DCV2_SANITIZE=ON -DCV2_BENCH=OFF >/dev/null
cmake --build "$out/fuzz" -j "$jobs"
cmake -S . -B "$out/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$out/win" -j "$jobs"

# One ctest run per build; their results are summed up at the end.
status=0
total=0
failed=0
for b in native asan fuzz win; do
    echo "=== tests: $b"
    log="$out/ctest-$b.log"
    (cd "$out/$b" && ctest --output-on-failure -j "$jobs" --timeout 600) 2>&1 | tee "$log" || status=1
    n=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2/p' "$log" | tail -1)
    f=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -1)
    total=$((total + ${n:-0}))
    failed=$((failed + ${f:-0}))
done
echo
echo "$((total - failed)) passed, $failed failed"
exit $status
