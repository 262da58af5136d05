# Set-up shared by the end-to-end scripts (sourced, not run): the tool check, the Japanese
# locale for Wine (ANSI code page 932), and an Xvfb display of the script's own.

# Exits 77 (skipped) when one of the named tools is missing.
e2e_require() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1 && [ ! -x "/usr/lib/wine/$tool" ]; then
            echo "SKIP: $tool is not installed"
            exit 77
        fi
    done
}

e2e_environment() {
    export PATH="$PATH:/usr/lib/wine"  # Debian keeps wine64 and wineserver here
    export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
}

# Starts Xvfb on a free display from a random place, so that parallel runs rarely meet;
# sets DISPLAY and E2E_XVFB_PID. Exits 77 when no display is free.
e2e_start_xvfb() {
    local start n
    E2E_XVFB_PID=
    start=$((200 + RANDOM % 700))
    for n in $(seq $start $((start + 100))); do
        if [ ! -e /tmp/.X$n-lock ] && [ ! -e /tmp/.X11-unix/X$n ]; then
            Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
            E2E_XVFB_PID=$!
            export DISPLAY=:$n
            for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
            return 0
        fi
    done
    echo "SKIP: no free X display"
    exit 77
}

# A work folder for one run with the program copied into "$work/app": sets work and app,
# uses a prefix of the run's own unless WINEPREFIX is set, starts Xvfb (xvfb_pid), and
# removes it all at exit (e2e_cleanup, set as the EXIT trap).
#   e2e_workspace <name> <Corvell2.exe>
e2e_workspace() {
    work=$(mktemp -d "/tmp/cv2-$1-e2e.XXXXXX")
    app="$work/app"
    mkdir -p "$app"
    cp "$2" "$app/Corvell2.exe"
    own_prefix=0
    if [ -z "${WINEPREFIX:-}" ]; then
        export WINEPREFIX="$work/prefix"
        own_prefix=1
    fi
    e2e_start_xvfb
    xvfb_pid=$E2E_XVFB_PID
    trap e2e_cleanup EXIT
}

e2e_cleanup() {
    wineserver -k >/dev/null 2>&1
    [ -n "$xvfb_pid" ] && kill $xvfb_pid 2>/dev/null
    if [ $own_prefix = 1 ]; then rm -rf "$work"; else rm -rf "$app" "$work"; fi
}

# A Unix path as Wine's Z: drive sees it.
winpath() { echo "Z:${1//\//\\}"; }

# Waits up to $2 seconds for a visible window whose name matches $1; prints its id.
wait_window() {
    local id
    for _ in $(seq $(($2 * 10))); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# ---- The probe: one treeprobe that stays and answers requests dropped in $probe_dir ----
# Each question gets an answer file of its own, so an answer is never one to an earlier
# question. A script sets probe_dir (a folder of its own) and defines fail.
answer=
ask() {
    local id
    id=$(date +%s%N)$RANDOM
    answer="$probe_dir/reply.$id"
    printf '%s\n' "$@" >"$probe_dir/req.$id.tmp" && mv "$probe_dir/req.$id.tmp" "$probe_dir/req.$id"
    # 10 s, or ask_wait (in 20 ms steps) for a request that waits itself
    for _ in $(seq "${ask_wait:-500}"); do [ -f "$answer" ] && return 0; sleep 0.02; done
    return 1
}
# Asks and keeps the answer in the given file; false when the probe did not answer.
ask_into() {
    local into=$1
    shift
    rm -f "$into"
    ask "$@" && mv "$answer" "$into"
}
# The main window, into $look_file; false when it is not there.
look() {
    ask_into "$look_file" look
    grep -q '^found=1' "$look_file" 2>/dev/null
}
value() { grep "^$1=" "$look_file" | head -1 | cut -d= -f2-; }
# The screen point of a row's part (label or button) by the row's text, from the last look.
row_point() {
    local key
    key=$(grep -m1 "^row[0-9]*text=$1\$" "$look_file" | cut -d= -f1)
    [ -n "$key" ] || return 1
    value "${key%text}$2"
}

# Makes the Wine prefix unless it is there; called before the script starts anything under
# Wine (a running session may not have written its registry files yet). Wine's first start
# writes the prefix, which takes a minute or more on a busy machine: done apart, it does not
# eat into the deadline of the first window. The session that made it is left to end, so
# that the programs it started do not take part in the script's session (an end of the
# session asked for by the script would wait for them).
e2e_prefix() {
    [ -f "$WINEPREFIX/system.reg" ] && return 0
    timeout 600 wine64 wineboot -i >/dev/null 2>&1 || fail "Wine did not make its prefix $WINEPREFIX"
    timeout 120 wineserver -w || fail "the Wine session that made the prefix did not end"
}

# Starts a program in a Wine desktop of the script's own ($desktop, $desktop_size) from the
# folder $1 and waits for the desktop to appear.
desktop_start() {
    local from=$1 deadline
    shift
    deadline=$((SECONDS + 60))
    (cd "$from" && exec wine64 explorer /desktop=$desktop,$desktop_size "$@" >/dev/null 2>&1) &
    until xdotool search --name "$desktop - " >/dev/null 2>&1; do
        [ $SECONDS -lt $deadline ] || fail "the Wine desktop $desktop did not appear"
        sleep 0.2
    done
}

# Starts the probe ($work/treeprobe.exe) on the desktop unless it is up, and waits until it
# says so. The desktop must be there first: a probe started before it would make the desktop
# itself, and that desktop ends with the probe. Without $desktop the probe runs on Wine's
# default desktop. explorer /desktop= hands the probe to the desktop and returns at once.
probe_start() {
    local try
    mkdir -p "$probe_dir"
    for try in 1 2 3; do
        [ -f "$probe_dir/ready" ] && return 0
        if [ -n "${desktop:-}" ]; then
            (cd "$work" && exec wine64 explorer /desktop=$desktop,$desktop_size treeprobe.exe serve \
                "$(winpath "$probe_dir")" >/dev/null 2>&1) &
        else
            (cd "$work" && exec wine64 treeprobe.exe serve "$(winpath "$probe_dir")" >/dev/null 2>&1) &
        fi
        for _ in $(seq 100); do [ -f "$probe_dir/ready" ] && return 0; sleep 0.2; done
    done
    fail "the probe did not start"
}

# Asks until the answer has the line $2 (a regular expression) or $1 seconds have passed;
# the request follows. The last answer stays in $work/until.txt.
ask_until() {
    local deadline=$((SECONDS + $1)) want=$2
    shift 2
    until ask_into "$work/until.txt" "$@" && grep -qx "$want" "$work/until.txt"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

# ---- The new-user wizard, filled from the keyboard (needs the probe) ----
wizard_caption=新規作成ウィザード
# Control ids: each page's first field, the birthday picker and the age, Next and OK.
wizard_first_ids=(1001 1007 1017 1026)
wizard_birthday_id=1015
wizard_age_id=1016
wizard_next_id=1102
wizard_ok_id=1104

# The wizard's controls (see treeprobe fields) into $work/wizard.txt; false when it is not open.
wizard_look() {
    ask_into "$work/wizard.txt" fields "$wizard_caption" && grep -q '^found=1' "$work/wizard.txt"
}
wizard_value() { sed -n "s/^c$1=//p" "$work/wizard.txt"; }
# Waits until the control with that id has the focus.
wizard_wait_focus() {
    local deadline=$((SECONDS + ${2:-20}))
    until wizard_look && grep -qx "focus=$1" "$work/wizard.txt"; do
        [ $SECONDS -lt $deadline ] || fail "the wizard's control $1 did not get the focus ($(grep '^focus=' "$work/wizard.txt"))"
        sleep 0.1
    done
}

# Puts a date (yyyy/mm/dd) into the birthday picker, which has the focus: a click on its
# first part (the year) selects that part, digits replace it, and Right moves on to the
# month and the day. Stepping the parts with the arrow keys instead loses steps under Wine.
wizard_date() {
    local y=${1%%/*} m d rect left top bottom try
    m=${1#*/}
    d=${m#*/}
    m=${m%/*}
    for try in 1 2 3; do
        wizard_look || fail "the wizard went away"
        read -r left top _ bottom <<<"$(wizard_value ${wizard_birthday_id}rect)"
        xdotool mousemove $((left + 12)) $(((top + bottom) / 2)) click 1
        xdotool type --delay 100 "$y"
        xdotool key Right
        xdotool type --delay 100 "$m"
        xdotool key Right
        xdotool type --delay 100 "$d"
        wizard_look && [ "$(wizard_value $wizard_birthday_id)" = "$1" ] && return 0
        echo "note: the birthday became $(wizard_value $wizard_birthday_id), not $1; again"
    done
    fail "the birthday could not be set to $1"
}

# Fills the four pages and saves the tree under a name:
#   wizard_fill <name> <page 1 texts> -- <page 2> -- <page 3> -- <page 4>
# Each text goes into the next field, followed by Enter, through the script's
# wizard_type <text>...; "@date:yyyy/mm/dd" sets the birthday picker instead of typing
# (then Enter). After a page's last field Enter has moved the focus to Next (OK on the last
# page), which is pressed with Enter. The script's wizard_shot <name> is called with page1
# to page4 and save, each when its picture is complete.
wizard_fill() {
    local name=$1 page=0 texts=() text
    shift
    wizard_wait_focus ${wizard_first_ids[0]} 90
    while [ $page -lt 4 ]; do
        texts=()
        while [ $# -gt 0 ] && [ "$1" != -- ]; do
            texts+=("$1")
            shift
        done
        [ $# -gt 0 ] && shift
        local run=()
        for text in "${texts[@]}"; do
            if [ "${text#@date:}" != "$text" ]; then
                [ ${#run[@]} -gt 0 ] && wizard_type "${run[@]}"
                run=()
                wizard_wait_focus $wizard_birthday_id
                wizard_date "${text#@date:}"
                wizard_type ""
            else
                run+=("$text")
            fi
        done
        [ ${#run[@]} -gt 0 ] && wizard_type "${run[@]}"
        page=$((page + 1))
        if [ $page -lt 4 ]; then
            wizard_wait_focus $wizard_next_id
            wizard_shot page$page
            xdotool key Return
            wizard_wait_focus ${wizard_first_ids[$page]}
        else
            wizard_wait_focus $wizard_ok_id
            wizard_shot page4
            xdotool key Return
        fi
    done

    local save=ﾕｰｻﾞｰﾌｧｲﾙを保存 deadline=$((SECONDS + 30))
    until ask_into "$work/save.txt" fields "$save" && grep -q '^found=1' "$work/save.txt"; do
        [ $SECONDS -lt $deadline ] || fail "no save dialog after OK"
        sleep 0.1
    done
    # The file name box (an edit or a combo box, 1148 or 1152) holds the name. Keys typed
    # while the dialog is still settling can be lost; the name is then typed again.
    local try
    for try in 1 2 3; do
        xdotool key ctrl+a
        xdotool type --delay 40 "$name"
        ask_until 10 "c11\(48\|52\)=$name" fields "$save" && break
        [ $try -lt 3 ] || fail "the name did not reach the save dialog: $(grep '^c11\(48\|52\)=' "$work/until.txt")"
        echo "note: the save dialog's name reads $(grep '^c11\(48\|52\)=' "$work/until.txt"); typed again"
    done
    wizard_shot save
    xdotool key Return
    deadline=$((SECONDS + 30))
    until [ -f "$app/$name.cv2" ] && [ -f "$app/$name.ini" ]; do
        [ $SECONDS -lt $deadline ] || fail "the wizard did not save $name.cv2 and $name.ini"
        sleep 0.1
    done
}
