#!/usr/bin/env bash
# vantrel.exe on a desktop under Wine: Xvfb with the openbox window manager, driven through the
# X server with xdotool as a user would, the Win32 controls read from beside the program by
# win32_okno_zvenku.exe in the same Wine session (X11 cannot read them). Checks the first start's
# place and size, files added through the open dialog and joined through the save dialog (the
# output's bytes, every row ticked, the status bar's report, the beep), the error box of a failed join
# (owned by the main window), each of the six languages chosen in the language dialog, the
# settings in the registry after a close and their return at the next start, and the error box of
# a settings value of the wrong type. Screenshots and the registry's listing go to
# $VANTREL_SNIMKY (default: artifacts/win32 in the build folder).
#   tests/e2e/okno-win32.sh WINE64 path/to/vantrel.exe path/to/win32_okno_zvenku.exe PREFIX
set -uo pipefail
# xdotool matches the window titles (Czech, in UTF-8) only in a UTF-8 locale; Wine's own dialogs
# then speak English.
export LC_ALL=C.UTF-8

wine=$1
program=$(realpath "$2")
zvenku=$(realpath "$3")
prefix=$(realpath -m "$4")
artefakty=${VANTREL_SNIMKY:-$(dirname "$(dirname "$program")")/artifacts/win32}

skripty=$(dirname "$(realpath "$0")")/../../scripts
for nastroj in Xvfb openbox xdotool xprop xwininfo xdpyinfo xkbevd import "$wine"; do
    command -v "$nastroj" >/dev/null || { echo "FAIL: $nastroj is missing; run make test" >&2; exit 1; }
done
[[ -f $program && -f $zvenku ]] || { echo "FAIL: no program at $program or $zvenku" >&2; exit 1; }
[[ -f $(dirname "$program")/vtrl.xml ]] || { echo "FAIL: no vtrl.xml beside $program" >&2; exit 1; }

server=$(dirname "$wine")/wineserver64
[[ -x $server ]] || server=$(dirname "$wine")/wineserver
# The prefix of this test alone, made once; its desktop lives on the X server of the first
# program of a session, so a session of the prefix still running (on another server) ends first.
"$skripty/wine-test.sh" "$prefix" "$wine" || { echo "FAIL: no Wine prefix at $prefix" >&2; exit 1; }
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$server" -k 2>/dev/null

# shellcheck source=tests/e2e/plocha.sh
source "$(dirname "$(realpath "$0")")/plocha.sh"
# A window may take 60 s to come or go under Wine on a loaded machine.
cekani=600
zvonky_pid=
uklid() {
    [[ -n $zvonky_pid ]] && kill "$zvonky_pid" 2>/dev/null
    "$server" -k 2>/dev/null
    uklidPlochy
}
trap uklid EXIT

spustX
# Without a window manager Wine waits up to seconds for every window it hides to be withdrawn.
spustSpravce
# Wine's MessageBeep rings the X server's bell; each ring adds a line to $zvonky.
zvonky=$prac/zvonky
touch "$zvonky"
printf 'Bell() shell "echo >>%s"\n' "$zvonky" >"$prac/zvonky.cfg"
xkbevd -cfg "$prac/zvonky.cfg" >"$prac/zvonky.log" 2>&1 &
zvonky_pid=$!
cekej 300 grep -q 'disabling the audible bell' "$prac/zvonky.log" || konec "xkbevd did not start within 30 s"
pocetZvonku() { wc -l <"$zvonky"; }

# The Win32 side of the main window: okno, seznam, stav or box (win32/OknoZvenku.cpp).
zvenku() { "$wine" "$zvenku" "$1" 2>/dev/null; }
radek() { zvenku "$1" | sed -n "$2p"; }
klic='HKCU\Software\Tarsk\Vantrel'
registr() { "$wine" reg "$@" 2>/dev/null | tr -d '\r'; }

# "x,y wxh" of a window's X client area: where the window manager put it.
klientX() {
    xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /^ *Width:/ {w=$2} /^ *Height:/ {h=$2} END {print x "," y " " w "x" h}'
}

spust() {
    "$wine" "$program" >"$prac/program.log" 2>&1 &
    program_pid=$!
}

programSkoncil() { ! kill -0 "$program_pid" 2>/dev/null; }
zavriF4() {
    klavesy "$1" F4
    cekej 600 programSkoncil || konec "the program did not end within 60 s of F4"
    wait "$program_pid"
    local stav=$?
    program_pid=
    [[ $stav -eq 0 ]] || chyba "the program ended with status $stav"
}

snimek() {
    mkdir -p "$artefakty"
    import -window root "$artefakty/$1.png" || chyba "screenshot $1 failed"
}

# The Win32 window's outer bounds and its client area on the screen, once the client area is
# where the X server has the window.
oknoWin32() {
    local x
    for _ in $(seq 100); do
        okno32_=$(zvenku okno)
        x=$(klientX "$1")
        [[ $(sed -n 2p <<<"$okno32_") == "$x" ]] && return 0
        sleep 0.1
    done
    chyba "the Win32 client area $(sed -n 2p <<<"$okno32_") is not the X window's $x"
}

# A line of the status bar (1 the count, 2 the join's report) once it is the expected text.
stavJe() { [[ $(radek stav "$1") == "$2" ]]; }
cekejNaStav() {
    cekej 300 stavJe "$1" "$2" || chyba "status bar line $1 is \"$(radek stav "$1")\", expected \"$2\""
}

data=$prac/data
mkdir -p "$data"
# The folder as the Wine dialogs type it: the root is drive Z:.
dataWin=Z:${data//\//\\}
printf 'a1\na2\n' >"$data/a.txt"
printf 'b1\r\nb2\r\n' >"$data/b.txt"
printf 'c1\nc2' >"$data/c.txt"

echo "display $DISPLAY, Wine prefix $prefix, screenshots in $artefakty"

# --- The first start: at 0,0 in the designed size, in Czech. 632 x 446 is the designed client
# area at 96 dpi; with Wine's frame the window is then below the least outer size, 640 x 480,
# which it takes, the client area growing in height.
registr delete "$klic" /f >/dev/null
# The system's beep on, as Wine sets it in a new prefix.
registr add 'HKCU\Control Panel\Sound' /v Beep /d yes /f >/dev/null
spust
cekejNaOkno Vantrel; okno=$okno_
oknoWin32 "$okno"
[[ $(sed -n 1p <<<"$okno32_") == "0,0 640x480" ]] ||
    chyba "first start at $(sed -n 1p <<<"$okno32_"), expected 0,0 640x480"
[[ $(sed -n 2p <<<"$okno32_") == *" 632x"* ]] ||
    chyba "first start's client area $(sed -n 2p <<<"$okno32_"), expected 632 wide"
cekejNaStav 1 "Počet souborů: 0"
snimek main-first-start

# --- Three files through the open dialog: the folder typed first, then the names.
klavesy "$okno" Insert
cekejNaJineOkno "$okno"; dialog=$okno_
napis "$dialog" "$dataWin\\"
klavesy "$dialog" Return
napis "$dialog" '"a.txt" "b.txt" "c.txt"'
sleep 0.5
snimek open-dialog
klavesy "$dialog" Return
cekejNaZavreni "open dialog" "$dialog"
radky() { [[ $(zvenku seznam) == "$1" ]]; }
ocekavane=$(printf '%s\n' "0 $dataWin\\a.txt" "0 $dataWin\\b.txt" "0 $dataWin\\c.txt")
cekej 300 radky "$ocekavane" || chyba "rows after adding: $(zvenku seznam)"
cekejNaStav 1 "Počet souborů: 3"

# --- The join through the save dialog: CR LF line ends and one empty line after each file,
# every row ticked, the report with the output's name and size.
spojDo() {
    local ulozeni
    klavesy "$okno" F9
    cekejNaJineOkno "$okno"; ulozeni=$okno_
    napis "$ulozeni" "$dataWin\\$1"
    klavesy "$ulozeni" Return
    cekejNaZavreni "save dialog" "$ulozeni"
}
zvonkuPred=$(pocetZvonku)
spojDo out.txt
cekejNaStav 2 "Potvrzené soubory byly spojeny do souboru: out.txt (30 B)"
zazvonilo() { (($(pocetZvonku) > zvonkuPred)); }
cekej 300 zazvonilo || chyba "no beep after the join"
cmp -s "$data/out.txt" <(printf 'a1\r\na2\r\n\r\nb1\r\nb2\r\n\r\nc1\r\nc2\r\n\r\n') ||
    chyba "the join's output holds $(od -c "$data/out.txt")"
ocekavane=$(printf '%s\n' "1 $dataWin\\a.txt" "1 $dataWin\\b.txt" "1 $dataWin\\c.txt")
radky "$ocekavane" || chyba "rows after the join: $(zvenku seznam)"
snimek main-joined

# --- A join whose second input vanished: the error box, owned by the main window, names the
# failure; the output holds the first file.
rm "$data/b.txt"
spojDo out2.txt
cekejNaOkno Vantrel "$okno"; box=$okno_
sleep 0.3
snimek join-error
box=$(zvenku box | tr -d '\r')
[[ $box == $'hlavni\nVantrel\nFile not found.' ]] ||
    chyba "the failed join's box: $(tr '\n' '|' <<<"$box"), expected owned by the main window, \"File not found.\""
vlastnik=$(xprop -id "$okno_" WM_TRANSIENT_FOR 2>/dev/null | sed -n 's/.*window id # //p')
[[ $((vlastnik)) -eq $((okno)) ]] || chyba "the error box is transient for ${vlastnik:-nothing}, not $okno"
cmp -s "$data/out2.txt" <(printf 'a1\r\na2\r\n\r\n') || chyba "the failed join wrote $(od -c "$data/out2.txt")"
klavesy "$okno_" Return
cekejNaZavreni "error box" "$okno_"
# The rows and the report are the failed join's own: the first file ticked, and no report.
ocekavane=$(printf '%s\n' "1 $dataWin\\a.txt" "0 $dataWin\\b.txt" "0 $dataWin\\c.txt")
radky "$ocekavane" || chyba "rows after the failed join: $(zvenku seznam)"
cekejNaStav 2 ""

klavesy "$okno" F1
cekejNaOkno "O aplikaci"; dialog=$okno_
sleep 0.3
snimek about
klavesy "$dialog" Escape
cekejNaZavreni "O aplikaci" "$dialog"

# --- Each language chosen in the language dialog (rows CZ EN SK DE FR ES): the count in the
# status bar speaks it, and so does the dialog's title the next time. English last, as the start
# never is.
declare -A radekJazyka=([CZ]=0 [EN]=1 [SK]=2 [DE]=3 [FR]=4 [ES]=5)
declare -A titulekDialogu=([CZ]="Výběr jazyka aplikace" [EN]="Choose the application language"
    [SK]="Výber jazyka aplikácie" [DE]="Sprache der Anwendung wählen"
    [FR]="Choix de la langue de l'application" [ES]="Selección del idioma de la aplicación")
declare -A pocet=([CZ]="Počet souborů" [EN]="Number of files" [SK]="Počet súborov"
    [DE]="Anzahl der Dateien" [FR]=$'Nombre de fichiers\u00a0' [ES]="Número de archivos")
jazyk=CZ
for novy in SK DE FR ES CZ EN; do
    klavesy "$okno" ctrl+j
    cekejNaOkno "${titulekDialogu[$jazyk]}"; dialog=$okno_
    [[ $jazyk == CZ && $novy == SK ]] && { sleep 0.3; snimek language-dialog; }
    klavesy "$dialog" Home
    for ((i = 0; i < radekJazyka[$novy]; i++)); do xdotool key --clearmodifiers Down; done
    klavesy "$dialog" Return
    cekejNaZavreni "${titulekDialogu[$jazyk]}" "$dialog"
    jazyk=$novy
    cekejNaStav 1 "${pocet[$jazyk]}: 3"
    sleep 0.3
    snimek "main-$jazyk"
done

# --- The placement: moved and resized as a user would, stored at the close with the language.
xdotool windowmove --sync "$okno" 123 87 2>/dev/null || xdotool windowmove "$okno" 123 87
xdotool windowsize --sync "$okno" 777 555 2>/dev/null || xdotool windowsize "$okno" 777 555
cekej 300 eval '[[ $(klientX "$okno") == "123,87 777x555" ]]' ||
    chyba "moved and resized to $(klientX "$okno"), expected 123,87 777x555"
oknoWin32 "$okno"
presunute=$okno32_
zavriF4 "$okno"
mkdir -p "$artefakty"
registr query "$klic" >"$artefakty/registry.txt"
# The registry's own listing: "    name    type    value".
hodnota() { awk -v j="$1" '$1 == j {print $2, $3}' "$artefakty/registry.txt"; }
hex() { printf '0x%x' "$1"; }
read -r x y w h < <(sed -n '1s/[,x]/ /gp' <<<"$presunute")
for ocekavano in "Jazyk REG_SZ EN" "IndexObrazku REG_DWORD 0x7" "Maximalni REG_DWORD 0x0" \
    "Vlevo REG_DWORD $(hex "$x")" "Nahore REG_DWORD $(hex "$y")" "Sirka REG_DWORD $(hex "$w")" \
    "Vyska REG_DWORD $(hex "$h")"; do
    [[ "${ocekavano%% *} $(hodnota "${ocekavano%% *}")" == "$ocekavano" ]] ||
        chyba "registry: expected $ocekavano, the listing holds: $(cat "$artefakty/registry.txt")"
done

# --- The next start comes back where the window was, in English.
spust
cekejNaOkno Vantrel; okno=$okno_
cekej 300 eval '[[ $(klientX "$okno") == "123,87 777x555" ]]' ||
    chyba "the second start at $(klientX "$okno"), expected 123,87 777x555"
oknoWin32 "$okno"
[[ $okno32_ == "$presunute" ]] || chyba "the second start at $okno32_, expected $presunute"
cekejNaStav 1 "Number of files: 0"
klavesy "$okno" ctrl+j
cekejNaOkno "Choose the application language"; dialog=$okno_
klavesy "$dialog" Escape
cekejNaZavreni "Choose the application language" "$dialog"
zavriF4 "$okno"

# --- A position stored as text: the box tells which value at the start (the language file is
# not read yet, so in Czech); the window then opens with what was read before it, the language,
# at the designed place, and the close stores the number again.
registr add "$klic" /v Vlevo /t REG_SZ /d 123 /f >/dev/null
spust
cekejNaOkno Chyba; box=$okno_
sleep 0.3
snimek settings-error
text=$(zvenku box | sed 1d)
[[ $text == $'Chyba\nPři čtení hodnot nastavení z registru došlo k chybě.\r(Invalid data type for \'Vlevo\'.)' ]] ||
    chyba "the settings box: $(od -c <<<"$text")"
klavesy "$box" Return
cekejNaZavreni Chyba "$box"
cekejNaOkno Vantrel; okno=$okno_
oknoWin32 "$okno"
[[ $(sed -n 1p <<<"$okno32_") == "0,0 640x480" ]] ||
    chyba "after the settings box at $(sed -n 1p <<<"$okno32_"), expected 0,0 640x480"
cekejNaStav 1 "Number of files: 0"
zavriF4 "$okno"
[[ $(registr query "$klic" /v Vlevo) == *"REG_DWORD    0x0"* ]] ||
    chyba "Vlevo after the close: $(registr query "$klic" /v Vlevo)"

[[ -s $prac/program.log ]] && { echo "--- program output of the last run:"; cat "$prac/program.log"; }
[[ $selhani -eq 0 ]] && echo "OK"
exit $selhani
