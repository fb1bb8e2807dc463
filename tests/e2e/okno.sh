#!/usr/bin/env bash
# The program under a real X server: placement and language survive a restart through the
# settings file, a placement off the screen or below the minimum size is corrected, a maximised
# close keeps the stored placement, settings that cannot be written are reported in a box, and
# F4 closes the program cleanly. Xvfb runs no window manager, so a window's frame is its client
# area and every geometry check is exact.
#   tests/e2e/okno.sh path/to/vantrel [artifact-folder]
# Exit status 77 (skipped) when there is no X server to start.
set -uo pipefail

program=$(realpath "$1")
artefakty=${2:-$(dirname "$(dirname "$program")")/artifacts}
PRESKOCENO=77

for nastroj in Xvfb xdotool; do
    if ! command -v "$nastroj" >/dev/null; then
        echo "SKIP: $nastroj is not installed (package xvfb / xdotool); run make test" >&2
        exit $PRESKOCENO
    fi
done
[[ -x $program ]] || { echo "FAIL: no program at $program" >&2; exit 1; }
[[ -f $(dirname "$program")/vtrl.xml ]] || { echo "FAIL: no vtrl.xml beside $program" >&2; exit 1; }

prac=$(mktemp -d)
xvfb_pid=
program_pid=
uklid() {
    [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$prac"
}
trap uklid EXIT

selhani=0
chyba() {
    echo "FAIL: $*" >&2
    selhani=1
}
konec() {
    echo "FAIL: $*" >&2
    echo "--- X server log:" >&2
    tail -5 "$prac/xvfb.log" >&2
    exit 1
}

# Xvfb picks a free display itself and writes its number to the given descriptor. The server
# is used only once a client has really reached it; one that dies or cannot be reached is
# started again (at most three times), since a display left over by another run can take it.
spustXvfb() {
    rm -f "$prac/displej"
    exec 3>"$prac/displej"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$prac/xvfb.log" 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    for _ in $(seq 100); do
        [[ -s $prac/displej ]] && break
        kill -0 "$xvfb_pid" 2>/dev/null || return 1
        sleep 0.1
    done
    [[ -s $prac/displej ]] || return 1
    export DISPLAY=:$(head -1 "$prac/displej")
    for _ in $(seq 50); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
        kill -0 "$xvfb_pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}
for pokus in 1 2 3; do
    spustXvfb && break
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=
    if [[ $pokus -eq 3 ]]; then
        echo "SKIP: Xvfb did not start or could not be reached:" >&2
        tail -5 "$prac/xvfb.log" >&2
        exit $PRESKOCENO
    fi
done
export XDG_CONFIG_HOME=$prac/config
export XDG_RUNTIME_DIR=$prac/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
nastaveni=$XDG_CONFIG_HOME/Tarsk/Vantrel.reg

# Prints the id of the one visible window with exactly this title, waiting up to 20 s.
cekejNaOkno() {
    local okna
    for _ in $(seq 200); do
        okna=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)
        if [[ -n $okna ]]; then
            [[ $(wc -l <<<"$okna") -eq 1 ]] || konec "more than one window \"$1\""
            echo "$okna"
            return 0
        fi
        kill -0 "$program_pid" 2>/dev/null || konec "the program ended while waiting for \"$1\""
        sleep 0.1
    done
    konec "no window \"$1\" within 20 s"
}

cekejNaZavreni() {
    for _ in $(seq 100); do
        [[ -z $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null) ]] && return 0
        sleep 0.1
    done
    konec "window \"$1\" still open after 10 s"
}

# "x,y wxh" of a window as the X server has it.
obrys() {
    local X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$X,$Y ${WIDTH}x$HEIGHT"
}

# Keys go through the X server's input, as a user's would, to the window that has the focus.
klavesy() {
    local okno=$1
    shift
    xdotool windowfocus --sync "$okno"
    xdotool key --clearmodifiers "$@"
}

spust() {
    "$program" >"$prac/program.log" 2>&1 &
    program_pid=$!
}

# The program must end by itself, successfully, within 10 s of the given step.
cekejNaKonec() {
    for _ in $(seq 100); do
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$program_pid" 2>/dev/null && konec "the program did not end within 10 s of $1"
    wait "$program_pid"
    local stav=$?
    program_pid=
    [[ $stav -eq 0 ]] || chyba "the program ended with status $stav after $1"
}

zavriF4() {
    klavesy "$1" F4
    cekejNaKonec F4
}

# The settings file must hold exactly the given values under Vantrel's key.
porovnejNastaveni() {
    local ocekavano
    ocekavano=$(printf '%s\n' 'Windows Registry Editor Version 5.00' '' \
        '[HKEY_CURRENT_USER\Software\Tarsk\Vantrel]' "$@")
    if [[ $(tr -d '\r' <"$nastaveni") != "$ocekavano" ]]; then
        chyba "settings file differs; expected the values: $*"
        echo "--- written:" >&2
        cat "$nastaveni" >&2
    fi
}

snimek() {
    command -v import >/dev/null || { echo "note: no ImageMagick import, no screenshot" >&2; return; }
    mkdir -p "$artefakty"
    import -window root "$artefakty/$1.png" || echo "note: screenshot $1 failed" >&2
}

echo "display $DISPLAY, settings in $nastaveni"

# First run: no settings, designed place and size, Czech.
spust
okno=$(cekejNaOkno Vantrel)
[[ $(obrys "$okno") == "0,0 640x480" ]] || chyba "first run at $(obrys "$okno"), expected 0,0 640x480"
xdotool windowmove --sync "$okno" 123 87
xdotool windowsize --sync "$okno" 777 555
[[ $(obrys "$okno") == "123,87 777x555" ]] || chyba "moved to $(obrys "$okno")"

# The language dialog opens on the current language (Czech, first); the next row is English.
klavesy "$okno" ctrl+j
dialog=$(cekejNaOkno "Výběr jazyka aplikace")
klavesy "$dialog" Down Return
cekejNaZavreni "Výběr jazyka aplikace"
zavriF4 "$okno"
[[ -f $nastaveni ]] || konec "no settings file at $nastaveni after F4"
porovnejNastaveni '"Jazyk"="EN"' '"IndexObrazku"=dword:00000007' '"Maximalni"=dword:00000000' \
    '"Vlevo"=dword:0000007b' '"Nahore"=dword:00000057' '"Vyska"=dword:0000022b' \
    '"Sirka"=dword:00000309'

# Second run: the stored place, size and language.
spust
okno=$(cekejNaOkno Vantrel)
[[ $(obrys "$okno") == "123,87 777x555" ]] || chyba "second run at $(obrys "$okno"), expected 123,87 777x555"
klavesy "$okno" ctrl+j
dialog=$(cekejNaOkno "Choose the application language")
snimek vantrel-english
klavesy "$dialog" Escape
cekejNaZavreni "Choose the application language"
zavriF4 "$okno"
porovnejNastaveni '"Jazyk"="EN"' '"IndexObrazku"=dword:00000007' '"Maximalni"=dword:00000000' \
    '"Vlevo"=dword:0000007b' '"Nahore"=dword:00000057' '"Vyska"=dword:0000022b' \
    '"Sirka"=dword:00000309'

# Third run: a window stored far left of the screen and too small comes back onto the screen
# at the minimum size; the close stores where it really was.
printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_CURRENT_USER\Software\Tarsk\Vantrel]' '"Jazyk"="DE"' '"IndexObrazku"=dword:00000009' \
    '"Maximalni"=dword:00000000' '"Vlevo"=dword:ffffec78' '"Nahore"=dword:00000028' \
    '"Vyska"=dword:00000064' '"Sirka"=dword:00000064' >"$nastaveni"
spust
okno=$(cekejNaOkno Vantrel)
[[ $(obrys "$okno") == "0,40 640x480" ]] || chyba "third run at $(obrys "$okno"), expected 0,40 640x480"
snimek vantrel-german
zavriF4 "$okno"
porovnejNastaveni '"Jazyk"="DE"' '"IndexObrazku"=dword:00000009' '"Maximalni"=dword:00000000' \
    '"Vlevo"=dword:00000000' '"Nahore"=dword:00000028' '"Vyska"=dword:000001e0' \
    '"Sirka"=dword:00000280'

# Fourth run: a maximised close leaves the stored geometry as it was.
printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_CURRENT_USER\Software\Tarsk\Vantrel]' '"Maximalni"=dword:00000001' \
    '"Vlevo"=dword:00000011' >"$nastaveni"
spust
okno=$(cekejNaOkno Vantrel)
zavriF4 "$okno"
porovnejNastaveni '"Maximalni"=dword:00000001' '"Vlevo"=dword:00000011' '"Jazyk"="CZ"' \
    '"IndexObrazku"=dword:00000006'

# Fifth run: settings that cannot be written are reported in a box at the close; once the box
# is confirmed the program still ends, successfully.
export XDG_CONFIG_HOME=$prac/soubor
touch "$XDG_CONFIG_HOME"
spust
okno=$(cekejNaOkno Vantrel)
klavesy "$okno" F4
box=$(cekejNaOkno Chyba)
klavesy "$box" Return
cekejNaKonec "the settings error box"

if [[ -s $prac/program.log ]]; then
    echo "--- program output of the last run:"
    cat "$prac/program.log"
fi
[[ $selhani -eq 0 ]] && echo "OK"
exit $selhani
