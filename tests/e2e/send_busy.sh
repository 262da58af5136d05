# Scenarios of send_e2e.sh against a busy web page and against targets that are not there,
# and its measurement (sourced by it, which provides run, probe, wait_for, check, fail,
# start_program, ITEMS and write_items). The browser stand-in (browser.exe) takes each
# Ctrl+V at once but reads the clipboard only later, from another thread, as a busy page does.
#
#   busy3, busy10  double-click mode, follow-up Tab, into a page that reads the clipboard
#            600 ms after each Ctrl+V: three (ten) quick double-clicks on as many items,
#            each text in its own field, in order; busy runs both on one start of the program
#   notarget our own about box was in front, then a target that closed: a send types
#            nothing anywhere, shows the error box and leaves its text on the clipboard
#   measure [count] [wait] [read delay]   with a read delay the measuring target pastes as
#            a busy page does, that long after the Ctrl+V, and the delay is taken off the
#            times too. Also sums up the program's own "taken" figures (from its Ctrl+V to
#            the target's read) from its debug output.
#
# For comparison runs: BUSY_DELAY sets the page's read delay (600 ms; 0 is a page that is
# not busy), BUSY_GAP the pause between two double-clicks (0.15 s).

# treeprobe <out file> <arguments...>: as probe, with the probe that reads the main window.
treeprobe() {
    local out=$1
    shift
    rm -f "$out"
    run treeprobe.exe "$1" "$WIN\\$out" "${@:2}"
    local end=$((SECONDS + 10))
    while [ $SECONDS -lt $end ] && [ ! -f "$out" ]; do sleep 0.1; done
}

# The main window's status bar: the title of the window that items go to.
status_text() {
    treeprobe look.txt look
    sed -n 's/^statustext=//p' look.txt
}

# start_browser <log> <read delay ms>: each browser gets a title of its own (after its log),
# so that the status bar tells when the main window has taken it as the target.
start_browser() {
    rm -f "$1"
    run browser.exe "$WIN\\$1" "delay=$2" "title=$(browser_title "$1")"
    wait_for "$1" "focus=0" 15 || { echo "FAIL: the browser stand-in did not start"; exit 1; }
}
browser_title() { echo "応募フォーム ${1%.log} - Browser"; }

# Activates the browser with a click on its first field and waits until the main window
# has taken it as the target.
activate_browser() {
    local end=$((SECONDS + 15))
    xdotool mousemove $(sed -n 's/^click=//p' "$1") click 1
    until [ "$(status_text)" = "$(browser_title "$1")" ]; do
        [ $SECONDS -lt $end ] || { fail "the main window did not take the browser as its target"; return 1; }
        sleep 0.2
    done
}

close_browser() {
    probe closed.txt close "$(browser_title "$1")"
    wait_for "$1" "closed=1" 10 || fail "the browser stand-in did not close"
}

# Double-clicks the items with these indexes one after the other, quickly, in one go: the
# clicks queue up while the program is still sending.
double_click_items() {
    local args=() i
    for i in "$@"; do
        args+=(mousemove $(item_xy "$i") sleep 0.03 mousemove_relative 1 0 sleep 0.03
            click --repeat 2 --delay 80 1 sleep "${BUSY_GAP:-0.15}")
    done
    xdotool "${args[@]}"
}

start_keywatch() {
    rm -f keys.log
    run keywatch.exe "$WIN\\keys.log"
    wait_for keys.log "ready=1" 15 || { echo "FAIL: keywatch did not start"; exit 1; }
}

# The keys that programs have pressed by synthesized input since keywatch started (virtual-
# key codes), those since an earlier answer, and the number of paste chords (V presses).
presses() { sed -n 's/^presses=//p' keys.log; }
presses_since() { presses | cut -c$((${#1} + 1))- | sed "s/^ //"; }
chords() { presses | tr ' ' '\n' | grep -cx 86; }

# log_value <log> <key>: the value of the key's line in a stand-in's log.
log_value() { sed -n "s/^$2=//p" "$1"; }

# busy_round <count>: that many quick double-clicks on as many items into a page that reads
# 600 ms late: each text must land in its own field, in order.
busy_round() {
    local n=$1 log=busy$1.log i got want focus failures=$FAILURES
    start_browser "$log" "${BUSY_DELAY:-600}"
    activate_browser "$log" || return
    local chords_before presses_before
    chords_before=$(chords)
    presses_before=$(presses)
    double_click_items $(seq "$n")
    wait_for "$log" "reads=$n" $((n * 3 + 10)) || fail "$n quick sends: $(log_value "$log" reads) of $n pastes were read"
    for i in $(seq 0 $((n - 1))); do
        got=$(log_value "$log" field$i)
        want=${ITEMS[$((i + 1))]}
        [ "$got" = "$want" ] || fail "$n quick sends into a busy page: field $i holds [$got], not [$want]"
    done
    # A Tab after each send: the focus is on the field after the last (the prefecture list
    # follows the tenth).
    focus=$n
    [ "$n" = 10 ] && focus=combo
    [ "$(log_value "$log" focus)" = $focus ] || fail "$n quick sends: the focus is on $(log_value "$log" focus), not $focus"
    if [ $FAILURES = $failures ]; then
        echo "ok: $n quick sends into a busy page, each text in its own field"
    else
        echo "    the program sent $(($(chords) - chords_before)) paste chords; the page got $(log_value "$log" pastes)" \
            "pastes and $(log_value "$log" keys) key presses"
        echo "    keys the program pressed (virtual-key codes): $(presses_since "$presses_before")"
        echo "    the page's reads (field, text) and their delays after the paste:"
        grep '^read' "$log" | sed 's/^/    /'
        import -window root "/tmp/cv2-e2e-busy-round$n.png" 2>/dev/null && echo "screenshot: /tmp/cv2-e2e-busy-round$n.png"
    fi
    close_browser "$log"
}

scenario_busy() {
    local rounds=("$@")
    [ $# -gt 0 ] || rounds=(3 10)
    ITEMS=("見出し" "123-4567" "東京都" "港区芝公園" "1-2-3" "山田" "太郎" "ﾔﾏﾀﾞ" "ﾀﾛｳ" "03-1234-5678"
        "taro@example.jp")
    write_items
    # Double-click mode, follow-up Tab, the default wait time.
    start_program 0 1 -
    start_keywatch
    for n in "${rounds[@]}"; do busy_round "$n"; done
}
scenario_busy3() { scenario_busy 3; }
scenario_busy10() { scenario_busy 10; }

# The send finds no target: an error box, no keystroke anywhere, the text on the clipboard.
expect_no_target() {
    local before=$1 item=$2 what=$3 end=$((SECONDS + 10))
    until probe box.txt box "Corvell2！" && grep -qx "found=1" box.txt; do
        [ $SECONDS -lt $end ] || break
        sleep 0.2
    done
    check box.txt "text=貼り付け先のウィンドウが見つかりません." "$what: the error box"
    [ "$(presses)" = "$before" ] || fail "$what: keys were pressed: $(presses_since "$before")"
    probe clip.txt clip
    check clip.txt "text=${ITEMS[$item]}" "$what: the text is on the clipboard"
}

scenario_notarget() {
    start_program 0 1 -
    start_keywatch

    # Our own about box, opened by its key in the item menu, is in front for two ticks of the
    # tracking timer (today it becomes the target then), and is closed.
    local desk before end
    desk=$(xdotool search --name "e2e - " 2>/dev/null | head -1)
    xdotool mousemove $(item_xy 0) click 3
    end=$((SECONDS + 10))
    until treeprobe menus.txt menus && ! grep -qx "menus=0" menus.txt; do
        [ $SECONDS -lt $end ] || { fail "the item menu did not open"; return; }
        sleep 0.2
    done
    # The menu's keys reach it only while the Wine desktop has the X focus.
    [ -n "$desk" ] && xdotool windowfocus "$desk" 2>/dev/null
    xdotool key v
    end=$((SECONDS + 10))
    until treeprobe about.txt fields "ﾊﾞｰｼﾞｮﾝ情報" && grep -qx "found=1" about.txt; do
        [ $SECONDS -lt $end ] || { fail "the about box did not open"; return; }
        sleep 0.2
    done
    end=$((SECONDS + 2))
    until [ $SECONDS -ge $end ] || [ "$(status_text)" = "ﾊﾞｰｼﾞｮﾝ情報" ]; do sleep 0.2; done
    echo "note: with the about box in front the status bar shows [$(status_text)]"
    [ -n "$desk" ] && xdotool windowfocus "$desk" 2>/dev/null
    xdotool key Escape
    end=$((SECONDS + 10))
    until treeprobe about.txt fields "ﾊﾞｰｼﾞｮﾝ情報" && grep -qx "found=0" about.txt; do
        [ $SECONDS -lt $end ] || { fail "the about box did not close"; return; }
        sleep 0.2
    done
    before=$(presses)
    double_click_items 1
    expect_no_target "$before" 1 "only our own window was in front"

    # A target that is gone: the browser, taken as the target, closes before the send.
    start_browser gone.log 0
    activate_browser gone.log || return
    close_browser gone.log
    before=$(presses)
    double_click_items 2
    expect_no_target "$before" 2 "the target is gone"
}

# scenario_measure [count] [wait time] [read delay]
scenario_measure() {
    local count=${1:-50} wait=${2:-300} delay=${3:-} end
    # Wine writes each OutputDebugString of the program as a warning of its seh channel.
    export WINEDEBUG=-all,warn+seh
    RUN_ERR=$WORK/debug.txt
    start_program 1 0 "$wait"
    rm -f measure.txt
    run measure.exe "$WIN\\measure.txt" "$count" $(item_xy 1) $(item_xy 2) "$wait" $delay
    end=$((SECONDS + count * (3 + ${delay:-0} / 1000) + 30))
    while [ $SECONDS -lt $end ] && [ ! -f measure.txt ]; do sleep 1; done
    cat measure.txt 2>/dev/null || fail "no measurement"
    taken_summary
    echo "load: $(uptime | sed 's/.*load average/load average/')"
}

# Sums up the program's "Corvell2: taken <n> ms" lines in $RUN_ERR (its debug output, written
# while WINEDEBUG has warn+seh): from its Ctrl+V to its target's read of the text.
taken_summary() {
    grep -a 'OutputDebugString' "$RUN_ERR" | grep -o 'Corvell2: taken [0-9]* ms' | cut -d' ' -f3 | sort -n |
        awk '{ v[NR] = $1 }
             END { if (NR == 0) { print "taken: no figures"; exit }
                   printf "taken: %d figures, min %d, median %d, p90 %d, max %d (ms)\n",
                          NR, v[1], v[int(NR / 2) + 1], v[int(NR * 9 / 10) + 1], v[NR] }'
}
