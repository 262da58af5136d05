# Scenarios of send_e2e.sh for a whole form from one gesture (sourced by it after
# send_busy.sh, whose browser stand-in and key watcher they use), and the benchmark of it.
#
#   form     double-click mode, follow-up Tab, into the browser stand-in: the item menu's
#            key G on 山田 太郎 fills two fields (山田, 太郎); Shift+double-click on 郵便番号
#            fills 123 and 4567; a group with an empty child skips a field; seven children
#            into a page that reads 600 ms late each land in their own field while the status
#            bar counts "n/7", then shows the target again; Esc stops such a group with
#            nothing more typed; an item given typing (menu keys M, K) arrives as characters
#            with no Ctrl+V, one given Space (M, S) ticks the check box and leaves the
#            clipboard alone, and both still do after a restart
#   formmeasure [read delay] [rounds]   not a test: measure.exe is a 20-field form; in each
#            round it Shift+double-clicks a group of 20 children, then double-clicks the 20
#            children one by one, each once the field before holds its text, and times both
#            from the gesture to the last field's text (see measure_win.cpp)

# The serve-mode probe of lib.sh on the scenario's desktop: a look takes a few milliseconds,
# quick enough to catch the status bar while a group runs.
group_probe() {
    work=$WORK desktop=e2e desktop_size=1024x768 probe_dir=$WORK/probe look_file=$WORK/look.txt
    probe_start
}
status_is() { ask_until "${2:-10}" "statustext=$1" look; }

desk_window() { xdotool search --name "e2e - " 2>/dev/null | head -1; }

# menu_keys <row> <key> [submenu key]: the item menu of a row, driven by its keys (other
# processes cannot read a menu, only count the open ones).
menu_keys() {
    xdotool mousemove $(item_xy "$1") click 3
    ask_until 10 "menus=1" menus || { fail "the item menu did not open on row $1"; return 1; }
    # Keys reach a menu only while the Wine desktop has the X focus.
    xdotool windowfocus "$(desk_window)" 2>/dev/null
    xdotool key "$2"
    if [ -n "${3:-}" ]; then
        ask_until 10 "menus=2" menus || { fail "the submenu $2 did not open on row $1"; return 1; }
        xdotool key "$3"
    fi
    ask_until 10 "menus=0" menus || fail "the item menu of row $1 stayed open"
}

shift_double_click() {
    xdotool mousemove $(item_xy "$1") sleep 0.03 mousemove_relative 1 0 sleep 0.03 \
        keydown shift click --repeat 2 --delay 80 1 keyup shift
}

# expect_fields <log> <first field> <texts...>: those fields hold those texts, in order.
expect_fields() {
    local log=$1 i=$2 text
    shift 2
    for text in "$@"; do
        [ "$(log_value "$log" field$i)" = "$text" ] || fail "$log: field $i holds [$(log_value "$log" field$i)], not [$text]"
        i=$((i + 1))
    done
}

# Waits until the page has read every paste it got.
wait_reads_done() {
    local end=$((SECONDS + 10))
    until [ -n "$(log_value "$1" pastes)" ] && [ "$(log_value "$1" reads)" = "$(log_value "$1" pastes)" ]; do
        [ $SECONDS -lt $end ] || { fail "$1: $(log_value "$1" reads) of $(log_value "$1" pastes) pastes read"; return 1; }
        sleep 0.1
    done
}

# What the page got and read and when (its clock, in ms), beside what the program saw its
# target take (Wine's timestamp in seconds, then the time from the program's Ctrl+V).
late_reads() {
    local i
    echo "    the page's pastes (its tick) and reads (field, text, ms after the paste):"
    for ((i = 0; i < $(log_value "$1" pastes); i++)); do
        echo "    $(log_value "$1" pasteat$i)  $(log_value "$1" read$i)  $(log_value "$1" readms$i)"
    done
    echo "    the program's reads taken:"
    grep -a 'OutputDebugString' "$RUN_ERR" | grep -o '^[0-9.]*\|taken [0-9]* ms' | paste - - | sed 's/^/    /'
}

# Rows (the tree starts closed): 見出し, 山田 太郎, 郵便番号, 電話, 連絡先, the mail to type,
# the check box's label. Absolute indexes of the last two: 19 and 20.
CONTACTS=("ヤマダ" "タロウ" "東京都" "港区芝公園" "1-2-3" "03-1234-5678" "taro@example.jp")
MAIL=hanako@example.jp
AGREE=規約に同意する
write_form_tree() {
    ITEMS=("見出し" "山田 太郎" "郵便番号" "電話" "連絡先" "$MAIL" "$AGREE")
    {
        printf '%s\r\n' 見出し "山田 太郎" $'\t山田' $'\t太郎' 郵便番号 $'\t123' $'\t4567' 電話 $'\t03' $'\t' $'\t5678' 連絡先
        printf '\t%s\r\n' "${CONTACTS[@]}"
        printf '%s\r\n' "$MAIL" "$AGREE"
    } | iconv -f UTF-8 -t CP932 >user.cv2
}

# The typed item into the first field, Shift+Tab back round to the check box, the Space item.
ways_round() {
    local log=$1 chords_before presses_before
    start_browser "$log" 0
    activate_browser "$log" || return
    chords_before=$(chords)
    double_click_items 5
    wait_for "$log" "focus=1" 10 || fail "$log: no Tab after the typed item (focus $(log_value "$log" focus))"
    [ "$(log_value "$log" field0)" = "$MAIL" ] || fail "$log: the typed item gave [$(log_value "$log" field0)]"
    [ "$(log_value "$log" chars0)" = ${#MAIL} ] || fail "$log: $(log_value "$log" chars0) characters, not ${#MAIL}"
    [ "$(log_value "$log" pastes)" = 0 ] && [ "$(chords)" = "$chords_before" ] ||
        fail "$log: a paste was tried ($(log_value "$log" pastes) pastes, $(($(chords) - chords_before)) Ctrl+V)"
    # The X focus is with the page since the click that activated it.
    xdotool key shift+Tab shift+Tab shift+Tab
    wait_for "$log" "focus=check" 10 || { fail "$log: Shift+Tab went to $(log_value "$log" focus), not the check box"; return; }
    presses_before=$(presses)
    double_click_items 6
    wait_for "$log" "focus=submit" 10 || fail "$log: no Tab after the Space item (focus $(log_value "$log" focus))"
    [ "$(log_value "$log" check)" = 1 ] || fail "$log: the check box is not ticked"
    [ "$(presses_since "$presses_before")" = "32 9" ] ||
        fail "$log: the Space item pressed [$(presses_since "$presses_before")], not Space and Tab (32 9)"
    probe clip.txt clip
    check clip.txt "text=$MAIL" "$log: the Space item left the clipboard alone"
    close_browser "$log"
}

scenario_form() {
    # The program's "taken" figures go to its debug output, shown when a late page fails.
    export WINEDEBUG=-all,warn+seh,+timestamp
    RUN_ERR=$WORK/debug.txt
    write_form_tree
    start_program 0 1 -
    group_probe
    start_keywatch
    local title failures=$FAILURES seen=() shown end presses_before read_before pasted i

    # A page that pastes at once: groups by the item menu and by Shift+double-click.
    start_browser now.log 0
    activate_browser now.log || return
    title=$(browser_title now.log)
    menu_keys 1 g
    wait_for now.log "focus=2" 10 || fail "the menu's group on 山田 太郎: focus $(log_value now.log focus), not 2"
    expect_fields now.log 0 山田 太郎
    shift_double_click 2
    wait_for now.log "focus=4" 10 || fail "Shift+double-click on 郵便番号: focus $(log_value now.log focus), not 4"
    expect_fields now.log 2 123 4567
    shift_double_click 3
    wait_for now.log "focus=7" 10 || fail "the group with an empty child: focus $(log_value now.log focus), not 7"
    expect_fields now.log 4 03 "" 5678 ""
    [ "$(log_value now.log pastes)" = 6 ] || fail "six texts gave $(log_value now.log pastes) pastes"
    status_is "$title" || fail "after the groups the status bar shows [$(value statustext)]"
    [ $FAILURES = "$failures" ] && echo "ok: groups by the menu's G and by Shift+double-click, an empty child skips a field"
    close_browser now.log

    # A page that reads 600 ms late: seven children, and the status bar meanwhile.
    failures=$FAILURES
    start_browser late.log 600
    activate_browser late.log || return
    title=$(browser_title late.log)
    shift_double_click 4
    end=$((SECONDS + 30))
    until [ "$(log_value late.log reads)" = 7 ] || [ $SECONDS -ge $end ]; do
        look && shown=$(value statustext) || sleep 0.1
        [[ $shown == [1-7]/7 && " ${seen[*]} " != *" $shown "* ]] && seen+=("$shown")
    done
    expect_fields late.log 0 "${CONTACTS[@]}" ""
    [ "$(log_value late.log focus)" = 7 ] || fail "seven late reads: the focus is on $(log_value late.log focus), not 7"
    # How many of the steps a look catches depends on the machine's load.
    [ ${#seen[@]} -ge 2 ] && [ "${seen[*]}" = "$(printf '%s\n' "${seen[@]}" | sort -n | xargs)" ] ||
        fail "the status bar showed the progress [${seen[*]}], expected steps of 1/7 to 7/7 in order"
    status_is "$title" || fail "after the group the status bar shows [$(value statustext)]"
    if [ $FAILURES = "$failures" ]; then
        echo "ok: seven children into a late page, each in its own field; the status bar showed ${seen[*]}"
    else
        late_reads late.log
    fi

    # Again through the menu, into fields 7 and on. Esc goes down once the second text is
    # pasted and its Tab has gone out, while the third waits for the second to be read, and is
    # held until the group has stopped. Had the second been read before Esc came down, the
    # third may have gone out too; nothing after that.
    failures=$FAILURES
    menu_keys 4 g
    end=$((SECONDS + 10))
    until [ "$(log_value late.log focus)" = 9 ]; do
        [ $SECONDS -lt $end ] || { fail "the second group did not reach its third child (focus $(log_value late.log focus))"; break; }
        sleep 0.02
    done
    presses_before=$(presses)
    xdotool keydown Escape
    read_before=$(($(log_value late.log reads) - 7))
    status_is "$title" || fail "after Esc the status bar shows [$(value statustext)]"
    xdotool keyup Escape
    wait_reads_done late.log
    pasted=$(($(log_value late.log pastes) - 7))
    [ $pasted -ge 2 ] && [ $pasted -le $((read_before + 1)) ] ||
        fail "Esc came down after $read_before of the group's texts had been read, yet $pasted were pasted"
    expect_fields late.log 7 "${CONTACTS[@]:0:pasted}"
    for ((i = 7 + pasted; i < 20; i++)); do expect_fields late.log $i ""; done
    [ "$(log_value late.log focus)" = $((7 + pasted)) ] || fail "after Esc the focus moved on to $(log_value late.log focus)"
    [ "$(presses_since "$presses_before" | wc -w)" = $((3 * (pasted - 2))) ] ||
        fail "after Esc the program pressed [$(presses_since "$presses_before")] for $((pasted - 2)) more texts"
    [ $pasted = 2 ] || echo "note: the second text was read before Esc came down; the third went out too"
    if [ $FAILURES = "$failures" ]; then echo "ok: Esc stops a running group with nothing more typed"; else late_reads late.log; fi
    close_browser late.log

    # An item's own way of sending, set by the menu's keys, and again after a restart.
    failures=$FAILURES
    menu_keys 5 m k
    menu_keys 6 m s
    ways_round ways.log
    ask_into "$WORK/close.txt" close || fail "the probe did not answer"
    ask_wait=1500 ask_into "$WORK/ended.txt" ended "$(sed -n 's/^pid=//p' "$WORK/close.txt")" 25000
    grep -qx 'ended=1' "$WORK/ended.txt" || fail "the program did not end"
    for ini in user.ini Corvell2.ini; do
        sed -n '/^\[ItemSend\]/,/^\[/p' "$ini" | tr -d '\r' | grep -qx 'Way19=2' || fail "$ini lacks Way19=2"
        sed -n '/^\[ItemSend\]/,/^\[/p' "$ini" | tr -d '\r' | grep -qx 'Way20=3' || fail "$ini lacks Way20=3"
    done
    restart_program
    ways_round ways2.log
    [ $FAILURES = "$failures" ] && echo "ok: typing and Space of an item's own, before and after a restart"
}

# scenario_formmeasure [read delay, or - for fields that paste at once] [rounds]: a group of
# 20 children, opened, in double-click mode with the follow-up key Tab and no wait time.
scenario_formmeasure() {
    local delay=${1:--} rounds=${2:-3} end r i wrong ms fill line
    local form=("123" "4567" "東京都" "港区芝公園" "1-2-3" "芝ビル101" "山田" "太郎" "ヤマダ" "タロウ"
        "03" "1234" "5678" "taro@example.jp" "taro@example.net" "1990" "4" "15" "会社員" "テレビ")
    export WINEDEBUG=-all,warn+seh
    RUN_ERR=$WORK/debug.txt
    ITEMS=("見出し" "フォーム" "${form[@]}")
    { printf '%s\r\n' 見出し フォーム && printf '\t%s\r\n' "${form[@]}"; } | iconv -f UTF-8 -t CP932 >user.cv2
    WINDOW_HEIGHT=600 EXPAND=1 start_program 0 1 0
    rm -f formmeasure.txt
    run measure.exe form "$WIN\\formmeasure.txt" "$rounds" "$delay" $(for i in $(seq 1 21); do item_xy $i; done)
    [ "$delay" = - ] && delay=0
    end=$((SECONDS + rounds * 2 * (20 * (delay + 1500) / 1000 + 10) + 30))
    while [ $SECONDS -lt $end ] && [ ! -f formmeasure.txt ]; do sleep 1; done
    [ -f formmeasure.txt ] || { fail "no measurement"; return; }
    echo "20 fields, read delay $delay ms; ms from the (first) double-click to the text of the field filled last"
    echo "round  group  wrong  20 double-clicks  (their own sum)  wrong  ratios to the group: double-clicks, own sum"
    for ((r = 0; r < rounds; r++)); do
        line="$r"
        for fill in group clicks; do
            wrong=0
            for i in $(seq 0 19); do
                [ "$(log_value formmeasure.txt $fill${r}field$i)" = "${form[$i]}" ] && continue
                wrong=$((wrong + 1))
                echo "    round $r, $fill: field $i holds [$(log_value formmeasure.txt $fill${r}field$i)], not [${form[$i]}]"
            done
            ms=$(log_value formmeasure.txt $fill$r)
            [ $fill = clicks ] && ms="$ms ($(log_value formmeasure.txt clicks${r}own))"
            line+="  $ms  $wrong"
        done
        echo "$line  $(awk -v g="$(log_value formmeasure.txt group$r)" -v c="$(log_value formmeasure.txt clicks$r)" \
            -v o="$(log_value formmeasure.txt clicks${r}own)" \
            'BEGIN { if (g > 0 && c > 0) printf "%.2f %.2f", c / g, o / g; else print "-" }')"
    done
    taken_summary
    echo "load: $(uptime | sed 's/.*load average/load average/')"
}
