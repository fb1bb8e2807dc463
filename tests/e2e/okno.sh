#!/usr/bin/env bash
# The program on a real desktop: Xvfb with the openbox window manager, driven through the X
# server with xdotool as a user would. Checks that the placement survives start/close cycles
# exactly (outer sizes, frame included), that off-screen, undersized, huge and overflowing
# placements come wholly onto the screen, the outer minimum, the language through the language
# dialog and the settings file, every shipped language's toolbar with captions at the desktop's
# text size and 1.5 times that, the error box of a failed join (owned by and centred on the main
# window), a join report with a long name, that the main window is active and takes keys again
# after every dialog and box (eight rounds), what a screen reader finds through AT-SPI, and the
# settings box at a close that cannot write. Screenshots and the accessibility trees go to the
# artifact folder.
#   tests/e2e/okno.sh path/to/vantrel [artifact-folder]
set -uo pipefail
# A session bus of its own, on which the program's accessibility bus starts.
if [[ -z ${VANTREL_E2E_SBERNICE:-} ]]; then
    export VANTREL_E2E_SBERNICE=1
    exec dbus-run-session -- "$0" "$@"
fi
# xdotool matches the window titles (Czech, in UTF-8) only in a UTF-8 locale, whatever the
# environment the test runs in.
export LC_ALL=C.UTF-8

program=$(realpath "$1")
artefakty=${2:-$(dirname "$(dirname "$program")")/artifacts}

skripty=$(dirname "$(realpath "$0")")
for nastroj in Xvfb openbox xdotool xprop xwininfo import convert /usr/bin/python3; do
    command -v "$nastroj" >/dev/null || { echo "FAIL: $nastroj is missing; run make test" >&2; exit 1; }
done
[[ -x $program ]] || { echo "FAIL: no program at $program" >&2; exit 1; }
[[ -f $(dirname "$program")/vtrl.xml ]] || { echo "FAIL: no vtrl.xml beside $program" >&2; exit 1; }

# shellcheck source=tests/e2e/plocha.sh
source "$skripty/plocha.sh"
# A window may take 30 s to come or go on a loaded machine.
cekani=300

spustX

export XDG_CONFIG_HOME=$prac/config
export XDG_RUNTIME_DIR=$prac/run
mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY SESSION_MANAGER
spustSpravce
nastaveni=$XDG_CONFIG_HOME/Tarsk/Vantrel.reg
mkdir -p "$(dirname "$nastaveni")"

# "x,y wxh" of a window's outer bounds: its client area as the X server has it, and the frame
# the window manager announces around it.
obrys() {
    local x=0 y=0 w=0 h=0 l=0 r=0 t=0 b=0 ramecek
    eval "$(xwininfo -id "$1" 2>/dev/null | awk '
        /Absolute upper-left X/ {print "x=" $4} /Absolute upper-left Y/ {print "y=" $4}
        /^ *Width:/ {print "w=" $2} /^ *Height:/ {print "h=" $2}')"
    ramecek=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ',')
    [[ -n $ramecek ]] && read -r l r t b <<<"$ramecek"
    echo "$((x - l)),$((y - t)) $((w + l + r))x$((h + t + b))"
}

# The window's outer bounds once they equal the expected ones, or as they are after 5 s. A
# window manager places and frames a new window some time after it appears.
obrysPo() {
    local ocekavano=$2 nyni
    for _ in $(seq 50); do
        nyni=$(obrys "$1")
        [[ $nyni == "$ocekavano" ]] && break
        sleep 0.1
    done
    echo "$nyni"
}


spust() {
    "$program" >"$prac/program.log" 2>&1 &
    program_pid=$!
}

# The program must end by itself, successfully, within 30 s of the given step.
programSkoncil() { ! kill -0 "$program_pid" 2>/dev/null; }

cekejNaKonec() {
    cekej 300 programSkoncil || konec "the program did not end within 30 s of $1"
    wait "$program_pid"
    local stav=$?
    program_pid=
    [[ $stav -eq 0 ]] || chyba "the program ended with status $stav after $1"
}

zavriF4() {
    klavesy "$1" F4
    cekejNaKonec F4
}

zapisNastaveni() {
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
        '[HKEY_CURRENT_USER\Software\Tarsk\Vantrel]' "$@" >"$nastaveni"
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

hodnota() { tr -d '\r' <"$nastaveni" | sed -n "s/^\"$1\"=dword://p"; }

snimek() {
    mkdir -p "$artefakty"
    import -window root "$artefakty/$1.png" || chyba "screenshot $1 failed"
}

echo "display $DISPLAY, settings in $nastaveni"

# First run: no settings, the designed place and the minimum outer size, Czech.
rm -f "$nastaveni"
spust
cekejNaOkno Vantrel; okno=$okno_
geometrie=$(obrysPo "$okno" "0,0 640x480")
[[ $geometrie == "0,0 640x480" ]] || chyba "first run at $geometrie, expected 0,0 640x480"
snimek vantrel-first-run
# The about dialog, over the main window.
klavesy "$okno" F1
cekejNaOkno "O aplikaci"; dialog=$okno_
sleep 0.3
snimek vantrel-about
klavesy "$dialog" Escape
cekejNaZavreni "O aplikaci" "$dialog"
# The language dialog opens on the current language (Czech, first); the next row is English.
klavesy "$okno" ctrl+j
cekejNaOkno "Výběr jazyka aplikace"; dialog=$okno_
klavesy "$dialog" Down Return
cekejNaZavreni "Výběr jazyka aplikace" "$dialog"
zavriF4 "$okno"
[[ -f $nastaveni ]] || konec "no settings file at $nastaveni after F4"
porovnejNastaveni '"Jazyk"="EN"' '"IndexObrazku"=dword:00000007' '"Maximalni"=dword:00000000' \
    '"Vlevo"=dword:00000000' '"Nahore"=dword:00000000' '"Vyska"=dword:000001e0' \
    '"Sirka"=dword:00000280'

# A stored placement comes back exactly, and three start/close cycles leave it as it was.
ulozene=('"Jazyk"="EN"' '"IndexObrazku"=dword:00000007' '"Maximalni"=dword:00000000'
    '"Vlevo"=dword:0000007b' '"Nahore"=dword:00000057' '"Vyska"=dword:0000022b'
    '"Sirka"=dword:00000309')
zapisNastaveni "${ulozene[@]}"
for cyklus in 1 2 3; do
    spust
    cekejNaOkno Vantrel; okno=$okno_
    geometrie=$(obrysPo "$okno" "123,87 777x555")
    [[ $geometrie == "123,87 777x555" ]] || chyba "start $cyklus at $geometrie, expected 123,87 777x555"
    if [[ $cyklus -eq 1 ]]; then
        klavesy "$okno" ctrl+j
        cekejNaOkno "Choose the application language"; dialog=$okno_
        snimek vantrel-language-dialog
        klavesy "$dialog" Escape
        cekejNaZavreni "Choose the application language" "$dialog"
    fi
    zavriF4 "$okno"
    porovnejNastaveni "${ulozene[@]}"
done

# The outer minimum: a window made smaller stays at 640x480 with its frame.
spust
cekejNaOkno Vantrel; okno=$okno_
obrysPo "$okno" "123,87 777x555" >/dev/null
xdotool windowsize --sync "$okno" 100 100 2>/dev/null || xdotool windowsize "$okno" 100 100
geometrie=$(obrysPo "$okno" "123,87 640x480")
[[ $geometrie == "123,87 640x480" ]] || chyba "made small: $geometrie, expected 123,87 640x480"
zavriF4 "$okno"
[[ $(hodnota Vyska)x$(hodnota Sirka) == 000001e0x00000280 ]] ||
    chyba "stored $(hodnota Sirka) wide and $(hodnota Vyska) high after the minimum, expected 280 and 1e0"

# A window stored far left of the screen and too small comes back onto the screen at the
# minimum size; the close stores where it really was.
zapisNastaveni '"Jazyk"="DE"' '"IndexObrazku"=dword:00000009' '"Maximalni"=dword:00000000' \
    '"Vlevo"=dword:ffffec78' '"Nahore"=dword:00000028' '"Vyska"=dword:00000064' \
    '"Sirka"=dword:00000064'
spust
cekejNaOkno Vantrel; okno=$okno_
geometrie=$(obrysPo "$okno" "0,40 640x480")
[[ $geometrie == "0,40 640x480" ]] || chyba "off-screen start at $geometrie, expected 0,40 640x480"
zavriF4 "$okno"
porovnejNastaveni '"Jazyk"="DE"' '"IndexObrazku"=dword:00000009' '"Maximalni"=dword:00000000' \
    '"Vlevo"=dword:00000000' '"Nahore"=dword:00000028' '"Vyska"=dword:000001e0' \
    '"Sirka"=dword:00000280'

# A huge stored size is reduced to the screen, and a window cut so, or stored near the 32-bit
# limit, comes wholly onto the screen: the window opens, closes at F4, and stores where it was.
naObrazovce() {
    local xy=${1% *} wh=${1#* }
    (( ${xy%,*} >= 0 && ${xy#*,} >= 0 && ${xy%,*} + ${wh%x*} <= 1280 && ${xy#*,} + ${wh#*x} <= 1024 ))
}
for radek in "0 0 7fffffff 7fffffff huge" "12c c8 7fffffff 7fffffff huge-placed" \
    "7ffffe40 7ffffe40 280 1e0 overflowing"; do
    read -r vlevo nahore sirka vyska nazev <<<"$radek"
    zapisNastaveni '"Maximalni"=dword:00000000' "\"Vlevo\"=dword:$vlevo" "\"Nahore\"=dword:$nahore" \
        "\"Vyska\"=dword:$vyska" "\"Sirka\"=dword:$sirka"
    spust
    cekejNaOkno Vantrel; okno=$okno_
    ocekavano="0,0 1280x1024"
    [[ $nazev == overflowing ]] && ocekavano="640,544 640x480"
    geometrie=$(obrysPo "$okno" "$ocekavano")
    naObrazovce "$geometrie" || chyba "$nazev: a stored $radek gave $geometrie, not wholly on the screen"
    [[ $nazev != overflowing || $geometrie == "$ocekavano" ]] ||
        chyba "$nazev: at $geometrie, expected $ocekavano"
    sleep 0.3
    snimek "vantrel-$nazev"
    zavriF4 "$okno"
    ulozeno="$((16#$(hodnota Vlevo))),$((16#$(hodnota Nahore))) $((16#$(hodnota Sirka)))x$((16#$(hodnota Vyska)))"
    [[ $ulozeno == "$geometrie" ]] || chyba "$nazev: stored $ulozeno after the window was at $geometrie"
done

# A maximised close leaves the stored geometry as it was.
zapisNastaveni '"Maximalni"=dword:00000001' '"Vlevo"=dword:00000011'
spust
cekejNaOkno Vantrel; okno=$okno_
zavriF4 "$okno"
porovnejNastaveni '"Maximalni"=dword:00000001' '"Vlevo"=dword:00000011' '"Jazyk"="CZ"' \
    '"IndexObrazku"=dword:00000006'

# Every shipped language shows the toolbar with its captions at the minimum width, with the
# desktop's text and with text 1.5 times as large, where the window grows with the text: the
# bar's drawing then reaches far beyond the seven images alone (about 200 px).
for dpi in 96 144; do
    index=6
    for jazyk in CZ EN SK DE FR ES; do
        zapisNastaveni "\"Jazyk\"=\"$jazyk\"" "$(printf '"IndexObrazku"=dword:%08x' $index)" \
            '"Maximalni"=dword:00000000' '"Vlevo"=dword:00000000' '"Nahore"=dword:00000000' \
            '"Vyska"=dword:000001e0' '"Sirka"=dword:00000280'
        index=$((index + 1))
        QT_FONT_DPI=$dpi QT_ENABLE_HIGHDPI_SCALING=0 spust
        cekejNaOkno Vantrel; okno=$okno_
        ocekavano="0,0 $((640 * dpi / 96))x$((480 * dpi / 96))"
        geometrie=$(obrysPo "$okno" "$ocekavano")
        [[ $geometrie == "$ocekavano" ]] || chyba "$jazyk at $dpi dpi: at $geometrie, expected $ocekavano"
        sleep 0.3
        snimek "vantrel-$jazyk-${dpi}dpi"
        read -r vlevo nahore sirka <<<"$(xwininfo -id "$okno" | awk '/Absolute upper-left X/ {x=$4}
            /Absolute upper-left Y/ {y=$4} /^ *Width:/ {print x, y, $2}')"
        kresba=$(convert "$artefakty/vantrel-$jazyk-${dpi}dpi.png" \
            -crop "$((sirka - 10))x$((20 * dpi / 96))+$((vlevo + 4))+$((nahore + 3))" \
            +repage -fuzz 10% -trim -format '%w' info: 2>/dev/null)
        (( ${kresba:-0} > 400 * dpi / 96 )) ||
            chyba "$jazyk at $dpi dpi: the toolbar's drawing is ${kresba:-0} px wide; captions missing?"
        # The about dialog in German, laid out for the larger text.
        if [[ $jazyk == DE && $dpi == 144 ]]; then
            klavesy "$okno" F1
            cekejNaOkno Info; dialog=$okno_
            sleep 0.3
            snimek "vantrel-about-DE-${dpi}dpi"
            klavesy "$dialog" Escape
            cekejNaZavreni Info "$dialog"
        fi
        zavriF4 "$okno"
    done
done

# A join whose input vanished: the error box belongs to the main window and is centred on it,
# right after the save dialog has closed.
data=$prac/data
mkdir -p "$data"
printf 'a\n' >"$data/a.txt"
printf 'b\n' >"$data/b.txt"
zapisNastaveni '"Maximalni"=dword:00000000' '"Vlevo"=dword:00000064' '"Nahore"=dword:00000032' \
    '"Vyska"=dword:000001e0' '"Sirka"=dword:00000280'
spust
cekejNaOkno Vantrel; okno=$okno_
obrysPo "$okno" "100,50 640x480" >/dev/null
# A path typed in full into the open dialog, confirmed with Enter.
pridejSoubor() {
    klavesy "$okno" Insert
    local dialog
    cekejNaJineOkno "$okno"; dialog=$okno_
    napis "$dialog" "$1"
    klavesy "$dialog" Return
    cekej 100 neviditelne "$dialog" || konec "the open dialog stayed open after $1"
}
# F9, the output's path typed into the save dialog, and Yes to its question whether to create
# the new file (Yes is the default button); sets $otazka_ to the question's id.
spojDo() {
    local ulozeni
    klavesy "$okno" F9
    cekejNaJineOkno "$okno"; ulozeni=$okno_
    napis "$ulozeni" "$1"
    klavesy "$ulozeni" Return
    cekejNaJineOkno "$okno" "$ulozeni"; otazka_=$okno_
    klavesy "$otazka_" Return
}
pridejSoubor "$data/a.txt"
pridejSoubor "$data/b.txt"
rm "$data/b.txt"
spojDo "$data/out.txt"
cekejNaOkno Vantrel "$okno"; box=$okno_
sleep 0.3
snimek vantrel-join-error
vlastnik=$(xprop -id "$box" WM_TRANSIENT_FOR 2>/dev/null | sed -n 's/.*window id # //p')
[[ $((vlastnik)) -eq $((okno)) ]] || chyba "the error box is transient for ${vlastnik:-nothing}, not the main window $okno"
stred() { read -r xy wh <<<"$(obrys "$1")"; echo $(( ${xy%,*} + ${wh%x*} / 2 )) $(( ${xy#*,} + ${wh#*x} / 2 )); }
read -r ox oy <<<"$(stred "$okno")"
read -r bx by <<<"$(stred "$box")"
(( (bx - ox) ** 2 <= 400 && (by - oy) ** 2 <= 1600 )) ||
    chyba "the error box is centred at $bx,$by, the main window at $ox,$oy"
cmp -s "$data/out.txt" <(printf 'a\r\n\r\n') || chyba "the failed join's output holds $(od -c "$data/out.txt")"
klavesy "$box" Return
cekejNaZavreni Vantrel "$box"
# The input back, and a join into a file with a long name: the report elides the middle of the
# name in the status bar, never the size.
printf 'b\n' >"$data/b.txt"
dlouhe=$data/vysledek-spojeni-vsech-textovych-souboru-ze-seznamu-do-jednoho.txt
spojDo "$dlouhe"
cekej 300 test -s "$dlouhe" || chyba "no output $dlouhe after the join"
cekej 300 neviditelne "$otazka_" || chyba "the create question stayed open"
sleep 0.5
snimek vantrel-long-report
cmp -s "$dlouhe" <(printf 'a\r\n\r\nb\r\n\r\n') || chyba "the join's output holds $(od -c "$dlouhe")"
zavriF4 "$okno"

# After every dialog and box the main window is active again and takes keys without a click:
# keys below go to whatever window has the focus, as a user's would. Repeated, since the window
# manager's own focus fallback races with the program's windows closing.
aktivni() { [[ $(xdotool getactivewindow 2>/dev/null) == "$1" && $(xdotool getwindowfocus 2>/dev/null) == "$1" ]]; }
vratiloSe() {
    cekej 150 aktivni "$okno" || { chyba "round $kolo: after $1 the active window is $(xdotool getactivewindow 2>/dev/null), not $okno"; return 1; }
}
# A new dialog or box takes keys once it has the focus, as a user sees it come.
maFokus() {
    cekej 150 aktivni "$1" || chyba "round $kolo: the new window $1 did not get the focus"
}
# A key typed without a click opens the window with this title, which Escape closes.
klavesaOtevre() {
    local titulek=$1 klavesa=$2
    xdotool key --clearmodifiers "$klavesa"
    cekejNaOkno "$titulek"; dialog=$okno_
    maFokus "$dialog"
    xdotool key --clearmodifiers Escape
    cekejNaZavreni "$titulek" "$dialog"
}
printf 'a\n' >"$data/a.txt"
printf 'a\r\n\r\n' >"$prac/spojeny"
zapisNastaveni '"Maximalni"=dword:00000000' '"Vlevo"=dword:00000064' '"Nahore"=dword:00000032'
spust
cekejNaOkno Vantrel; okno=$okno_
pridejSoubor "$data/a.txt"
for kolo in 1 2 3 4 5 6 7 8; do
    # A join through the save dialog and its replace question.
    printf 'old\n' >"$data/out.txt"
    xdotool key --clearmodifiers F9
    cekejNaJineOkno "$okno"; ulozeni=$okno_
    napis "$ulozeni" "$data/out.txt"
    xdotool key --clearmodifiers Return
    cekejNaJineOkno "$okno" "$ulozeni"
    maFokus "$okno_"
    xdotool key --clearmodifiers y
    cekej 300 cmp -s "$data/out.txt" "$prac/spojeny" || chyba "round $kolo: the join wrote $(od -c "$data/out.txt")"
    vratiloSe "the join" || break
    klavesaOtevre "O aplikaci" F1
    vratiloSe "the about dialog" || break
    klavesaOtevre "Výběr jazyka aplikace" ctrl+j
    vratiloSe "the language dialog" || break
    # The removal question, answered No.
    xdotool key --clearmodifiers shift+Delete
    cekejNaOkno "Varování"; box=$okno_
    maFokus "$box"
    xdotool key --clearmodifiers n
    cekejNaZavreni "Varování" "$box"
    vratiloSe "the removal question" || break
done
zavriF4 "$okno"

# What a screen reader finds: the names of the list, the toolbar and the status bar, and each
# row's state, in the window's language, also after a switch (the trees go to the artifacts).
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
pristupnost() { /usr/bin/python3 "$skripty/pristupnost.py" "$@"; }
printf 'b\n' >"$data/b.txt"
rm -f "$data/out2.txt"
zapisNastaveni '"Jazyk"="CZ"' '"IndexObrazku"=dword:00000006' '"Maximalni"=dword:00000000' \
    '"Vlevo"=dword:00000064' '"Nahore"=dword:00000032'
spust
cekejNaOkno Vantrel; okno=$okno_
pridejSoubor "$data/a.txt"
spojDo "$data/out2.txt"
cekej 300 cmp -s "$data/out2.txt" "$prac/spojeny" || chyba "the join before the accessibility check failed"
pridejSoubor "$data/b.txt"
mkdir -p "$artefakty"
pristupnost main "Soubory ke spojení" "Panel nástrojů" "Stavový řádek" "Spojeno" \
    "Čeká na spojení" >"$artefakty/atspi-CZ.txt" || chyba "accessibility in Czech"
klavesy "$okno" ctrl+j
cekejNaOkno "Výběr jazyka aplikace"; dialog=$okno_
pristupnost dialog "Výběr jazyka aplikace" || chyba "the language list's name in Czech"
klavesy "$dialog" Down Return
cekejNaZavreni "Výběr jazyka aplikace" "$dialog"
pristupnost main "Files to join" "Toolbar" "Status bar" "Joined" "Waiting to be joined" \
    >"$artefakty/atspi-EN.txt" || chyba "accessibility after the switch to English"
klavesy "$okno" ctrl+j
cekejNaOkno "Choose the application language"; dialog=$okno_
pristupnost dialog "Choose the application language" || chyba "the language list's name in English"
klavesy "$dialog" Escape
cekejNaZavreni "Choose the application language" "$dialog"
zavriF4 "$okno"
unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON

# Settings that cannot be written are reported in a box at the close; once the box is
# confirmed the program still ends, successfully.
export XDG_CONFIG_HOME=$prac/soubor
touch "$XDG_CONFIG_HOME"
spust
cekejNaOkno Vantrel; okno=$okno_
klavesy "$okno" F4
cekejNaOkno Chyba; box=$okno_
snimek vantrel-settings-error
klavesy "$box" Return
cekejNaKonec "the settings error box"

if [[ -s $prac/program.log ]]; then
    echo "--- program output of the last run:"
    cat "$prac/program.log"
fi
[[ $selhani -eq 0 ]] && echo "OK"
exit $selhani
