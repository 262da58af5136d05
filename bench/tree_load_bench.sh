#!/bin/bash
# Start-up and exit of the program with a large user file, against a bare tree view given
# the same items, icons and expansions (tree_floor.exe), under Wine on an Xvfb display.
#   bench/tree_load_bench.sh <Win32 build folder> [item counts...]   (default 5000 20000)
# Items come in groups of a parent and 9 children; each has its icon in the settings file
# and the first 300 groups are open. Prints, per count, the time to a shown window and the
# time from WM_CLOSE to the end of the process, for both; then the cost per item between
# the smallest and the largest count and the program's ratio to the floor.
# TREE_BENCH_RUNS=n (default 1) starts each n times and keeps the shortest times, which
# steadies the figures on a machine shared with other work.
set -u
build=$(cd "$1" && pwd)
shift
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(5000 20000)
here=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=../tests/e2e/lib.sh
. "$here/tests/e2e/lib.sh"
e2e_require wine64 wineserver Xvfb xdotool iconv
e2e_environment

work=$(mktemp -d)
export WINEPREFIX="$work/prefix"
app="$work/app"
mkdir -p "$app"
cp "$build/Corvell2.exe" "$app/Corvell2.exe"
cp "$build/tree_floor.exe" "$work/tree_floor.exe"
e2e_start_xvfb
xvfb_pid=$E2E_XVFB_PID
cleanup() {
    wineserver -k >/dev/null 2>&1
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

now() { date +%s%N; }
ms() { echo $((($2 - $1) / 1000000)); }

# The user file and its settings for n items; the texts are the floor's.
write_files() {
    local n=$1
    awk -v n="$n" 'BEGIN { for (i = 0; i < n; i++) { g = int(i / 10); c = i % 10;
        if (c == 0) printf "グループ%d\n", g; else printf "\t項目%d-%d\n", g, c } }' |
        iconv -f UTF-8 -t CP932 >"$app/user.cv2"
    awk -v n="$n" 'BEGIN { printf "[Window]\r\nWidth=178\r\nHeight=388\r\nTop=60\r\nLeft=100\r\nExpand=";
        for (g = 0; g < 300 && g * 10 < n; g++) printf "%s%d", (g ? "," : ""), g * 10;
        printf "\r\nNodeSelect=0\r\n[ToolBtn]\r\nResizeBtn=0\r\nPasteBtn=0\r\nShowToolBar2Btn=1\r\nClickChange=0\r\n[Image]\r\n";
        for (i = 0; i < n; i++) printf "index%d=%d\r\n", i, i % 12 }' >"$app/user.ini"
}

# Starts a program, waits for its window named $2 to be mapped, closes it by class $3.
# Sets shown_ms and exit_ms.
run_one() {
    local dir=$1 name=$2 cls=$3
    shift 3
    local start shown closing pid
    start=$(now)
    (cd "$dir" && exec wine64 "$@" >/dev/null 2>&1) &
    pid=$!
    for _ in $(seq 3000); do
        xdotool search --onlyvisible --name "$name" >/dev/null 2>&1 && break
        sleep 0.02
    done
    shown=$(now)
    closing=$(now)
    (cd "$work" && wine64 tree_floor.exe close "$cls" >/dev/null 2>&1)
    local rc=$?
    wait $pid
    exit_ms=$(ms "$closing" "$(now)")
    shown_ms=$(ms "$start" "$shown")
    [ $rc = 0 ] || echo "warning: closing $cls returned $rc (asked to save?)"
}

# Prefix set-up and the first start's costs stay out of the figures.
wine64 wineboot -i >/dev/null 2>&1
write_files 10
run_one "$app" 'Corvell2' TCV2Frm Corvell2.exe
run_one "$work" 'tree floor' TreeFloor tree_floor.exe show 10

runs=${TREE_BENCH_RUNS:-1}
min() { if [ -z "$1" ] || [ "$2" -lt "$1" ]; then echo "$2"; else echo "$1"; fi; }

declare -A p_show p_exit f_show f_exit
for n in "${counts[@]}"; do
    write_files "$n"
    cp "$app/user.cv2" "$work/before.cv2"
    p_show[$n]= p_exit[$n]= f_show[$n]= f_exit[$n]=
    for _ in $(seq "$runs"); do
        run_one "$app" 'Corvell2' TCV2Frm Corvell2.exe
        p_show[$n]=$(min "${p_show[$n]}" "$shown_ms")
        p_exit[$n]=$(min "${p_exit[$n]}" "$exit_ms")
        cmp -s "$app/user.cv2" "$work/before.cv2" || echo "warning: the user file changed on exit"
        run_one "$work" 'tree floor' TreeFloor tree_floor.exe show "$n"
        f_show[$n]=$(min "${f_show[$n]}" "$shown_ms")
        f_exit[$n]=$(min "${f_exit[$n]}" "$exit_ms")
    done
    printf '%6d items  program: shown %5d ms, exit %5d ms   floor: shown %5d ms, exit %5d ms\n' \
        "$n" "${p_show[$n]}" "${p_exit[$n]}" "${f_show[$n]}" "${f_exit[$n]}"
done

lo=${counts[0]}
hi=${counts[${#counts[@]} - 1]}
if [ "$lo" != "$hi" ]; then
    awk -v d=$((hi - lo)) -v ps=$((p_show[$hi] - p_show[$lo])) -v pe=$((p_exit[$hi] - p_exit[$lo])) \
        -v fs=$((f_show[$hi] - f_show[$lo])) -v fe=$((f_exit[$hi] - f_exit[$lo])) 'BEGIN {
        pp = (ps + pe) * 1000 / d; fp = (fs + fe) * 1000 / d; if (fp < 1) fp = 1;
        printf "per item (%d more): program %.1f us (start %.1f, exit %.1f), floor %.1f us (start %.1f, exit %.1f)\n",
            d, pp, ps * 1000 / d, pe * 1000 / d, fp, fs * 1000 / d, fe * 1000 / d;
        printf "ratio program/floor: %.2f\n", pp / fp }'
fi
