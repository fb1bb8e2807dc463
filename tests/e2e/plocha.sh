# The desktop of the end-to-end tests, sourced by them: an Xvfb server with the openbox window
# manager, and the windows on it found, waited for and driven as a user would, through the X
# server with xdotool. The test sets $program_pid (the program while it runs) and $cekani (how
# many tenths of a second a window may take); $prac is its working folder, gone at its end.

prac=$(mktemp -d)
xvfb_pid=
wm_pid=
program_pid=
# What the desktop started ends with the test; a test that starts more ends that first, then
# calls this.
uklidPlochy() {
    [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null
    [[ -n $wm_pid ]] && kill "$wm_pid" 2>/dev/null
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$prac"
}
trap uklidPlochy EXIT

selhani=0
chyba() {
    echo "FAIL: $*" >&2
    selhani=1
}
konec() {
    echo "FAIL: $*" >&2
    echo "--- X server log:" >&2
    tail -5 "$prac/xvfb.log" >&2
    [[ -s $prac/program.log ]] && { echo "--- program output:" >&2; cat "$prac/program.log" >&2; }
    exit 1
}

# Polls a command for up to $1 tenths of a second; true once it succeeds.
cekej() {
    local desetin=$1 i
    shift
    for ((i = 0; i < desetin; i++)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# Xvfb picks a free display itself and writes its number to the given descriptor; -noreset keeps
# it serving when its last client leaves, as every program of a test does in turn. Sets
# $xvfb_pid and exports DISPLAY.
spustX() {
    exec 3>"$prac/displej"
    Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp >"$prac/xvfb.log" 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    cekej "$cekani" test -s "$prac/displej" || konec "Xvfb gave no display in time"
    export DISPLAY=:$(head -1 "$prac/displej")
    cekej 100 xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 || konec "Xvfb on $DISPLAY cannot be reached"
    unset WAYLAND_DISPLAY
}

# The window manager is ready once it announces itself on the root window. Sets $wm_pid.
wmHotov() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
spustSpravce() {
    openbox --sm-disable >"$prac/openbox.log" 2>&1 &
    wm_pid=$!
    cekej "$cekani" wmHotov || konec "openbox did not start in time"
}

# Ids of the visible windows with exactly this title.
okna() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null; }

# Waits for the one visible window with this title that is not among the ids given after it,
# and sets $okno_ to its id. (No command substitution: a failure must end the test.)
cekejNaOkno() {
    local titulek=$1 nove i
    shift
    for ((i = 0; i < cekani; i++)); do
        nove=$(okna "$titulek" | grep -vxF -f <(printf '%s\n' "$@" x) || true)
        if [[ -n $nove ]]; then
            [[ $(wc -l <<<"$nove") -eq 1 ]] || konec "more than one new window \"$titulek\""
            okno_=$nove
            return 0
        fi
        [[ -z $program_pid ]] || kill -0 "$program_pid" 2>/dev/null ||
            konec "the program ended while waiting for \"$titulek\""
        sleep 0.1
    done
    konec "no window \"$titulek\" in time"
}

# Any visible window that the window manager manages (a dialog or a box, not a popup list) and
# that is none of the ids given.
jineOkno() {
    local id
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null | grep -vxF -f <(printf '%s\n' "$@" x)); do
        xprop -id "$id" WM_STATE 2>/dev/null | grep -q 'window state: Normal' && { echo "$id"; return; }
    done
}

# Waits for a window other than those given (a dialog or a box); sets $okno_.
cekejNaJineOkno() {
    local i
    for ((i = 0; i < cekani; i++)); do
        okno_=$(jineOkno "$@")
        [[ -n $okno_ ]] && return 0
        sleep 0.1
    done
    konec "no new window in time"
}

viditelne() { xdotool search --onlyvisible --name '.' 2>/dev/null | grep -qx "$1"; }
neviditelne() { ! viditelne "$1"; }

cekejNaZavreni() {
    cekej "$cekani" neviditelne "$2" || konec "window \"$1\" still open"
}

# Keys go through the X server's input, as a user's would, to the window made active first.
klavesy() {
    local okno=$1
    shift
    xdotool windowactivate --sync "$okno" 2>/dev/null || xdotool windowfocus --sync "$okno"
    xdotool key --clearmodifiers "$@"
}

napis() {
    xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"
    xdotool type --clearmodifiers --delay 20 "$2"
}
