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
