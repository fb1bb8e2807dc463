#!/usr/bin/env bash
# The Windows installer and the portable zip of an x64 build, under Wine in a prefix of its own,
# made afresh: an older version built from the same description is installed, then this one
# over it (a major upgrade), silently; the files, the Start-menu shortcut with its icon and the
# Apps & Features entry are checked, and the installed vantrel-join.exe joins two files. A value
# under the user's settings key stands for the settings, which neither the upgrade nor the
# uninstall may touch; after the uninstall nothing of the package is left. The zip must hold
# the same files.
#   tests/win32/instalator.sh WINE64 PREFIX MSI ZIP WXS PRODUCT-CODE VERSION FOLDER ICON
set -uo pipefail

wine=$1 prefix=$2 msi=$3 zip=$4 wxs=$5 kod=$6 verze=$7 slozka=$8 ikona=$9

for nastroj in wixl msiinfo unzip python3 cmp; do
    if ! command -v "$nastroj" >/dev/null; then
        echo "FAIL: $nastroj is missing; make test installs it (WINDOWS_PACKAGES)" >&2
        exit 1
    fi
done
for soubor in "$msi" "$zip"; do
    if [[ ! -f $soubor ]]; then
        echo "FAIL: no $soubor; the build makes it (make windows-package)" >&2
        exit 1
    fi
done

selhani=0
chyba() {
    echo "FAIL: $*" >&2
    selhani=1
}

# --- The package's tables: what Windows itself, not only Wine, will act on.
tabulka() { msiinfo export "$msi" "$1" | tail -n +4 | tr -d '\r'; }
vlastnost() { tabulka Property | awk -F'\t' -v j="$1" '$1 == j { print $2 }'; }
[[ $(vlastnost ALLUSERS) == 1 ]] || chyba "ALLUSERS is '$(vlastnost ALLUSERS)', not 1 (per machine)"
[[ $(vlastnost ProductVersion) == "$verze" ]] || chyba "ProductVersion: $(vlastnost ProductVersion)"
[[ $(vlastnost ProductCode) == "{$kod}" ]] || chyba "ProductCode: $(vlastnost ProductCode)"
[[ $(vlastnost UpgradeCode) == "{1EC86B48-48D0-4096-93D5-8AC75D506770}" ]] ||
    chyba "UpgradeCode: $(vlastnost UpgradeCode); it must never change"
[[ $(vlastnost Manufacturer) == Tarsk ]] || chyba "Manufacturer: $(vlastnost Manufacturer)"
[[ $(vlastnost ARPPRODUCTICON) == vantrel.ico ]] || chyba "ARPPRODUCTICON: $(vlastnost ARPPRODUCTICON)"
msiinfo suminfo "$msi" | grep -qx 'Template: x64;1033' || chyba "not an x64 package"
# Per machine, ProgramMenuFolder is the Start menu of all users.
[[ $(tabulka Shortcut | cut -f2,3,5) == $'ProgramMenuFolder\tVantrel\t[INSTALLDIR]vantrel.exe' ]] ||
    chyba "the shortcut: $(tabulka Shortcut)"
# No registry row of the package lies in the user's settings key (roots: 1 HKCU, -1 per user or
# machine), and none is removed.
tabulka Registry | awk -F'\t' '($2 == 1 || $2 == -1) && tolower($3) ~ /^software\\tarsk\\vantrel(\\|$)/' |
    grep . && chyba "the package writes into the user's settings key"
if msiinfo tables "$msi" | grep -qx RemoveRegistry; then
    chyba "the package removes registry keys or values"
fi

# --- A prefix of its own, made afresh: what an earlier run installed must not count.
export WINEPREFIX=$prefix
export WINEDEBUG=-all
# No Mono or Gecko installer dialogs, and no menu entries written into the Linux desktop's menu
# for the shortcut.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
unset DISPLAY WAYLAND_DISPLAY
server=$(dirname "$wine")/wineserver64
[[ -x $server ]] || server=wineserver
prace=$prefix-prace
rm -rf "$prefix" "$prace"
mkdir -p "$prace"
if ! "$wine" wineboot -i >"$prace/wineboot.log" 2>&1; then
    cat "$prace/wineboot.log" >&2
    echo "FAIL: wineboot -i" >&2
    exit 1
fi
# One server for every step, ended with the test.
"$server" -p
trap '"$server" -k 2>/dev/null' EXIT

w() { "$wine" "$@" 2>>"$prace/wine.log" | tr -d '\r'; }
cesta() { w winepath -u "$1"; }
programy=$(cesta 'C:\Program Files\Vantrel')
# Wine's installer takes ProgramMenuFolder as the installing user's Start menu whatever ALLUSERS
# says: the shortcut is looked for there, and the table above pins it for Windows.
nabidka=$(cesta "$(w cmd /c echo %APPDATA%)\\Microsoft\\Windows\\Start Menu\\Programs")
zastupce=$nabidka/Vantrel.lnk
vsichni=$(cesta "$(w cmd /c echo %ProgramData%)\\Microsoft\\Windows\\Start Menu\\Programs")/Vantrel.lnk
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
nastaveni='HKCU\Software\Tarsk\Vantrel'

msiexec() {
    "$wine" msiexec "$@" >>"$prace/msiexec.log" 2>&1
}
# The Apps & Features entries of Vantrel, each as "{code} version".
zaznamy() {
    w reg query "$uninstall" /s | awk '
        /^HKEY_/ { klic = $0; sub(/.*\\/, "", klic) }
        $1 == "DisplayName" { jmeno[klic] = $3 }
        $1 == "DisplayVersion" { verze[klic] = $3 }
        END { for (k in jmeno) if (jmeno[k] == "Vantrel") print k, verze[k] }' | sort
}

# --- An older version, built from the same description with its own product code.
stara=$prace/vantrel-2.9.9-win64.msi
stary_kod=6A1F0C2E-3B5D-4E7A-9C8B-2D4F6E8A0B1C
wixl -a x64 -D Verze=2.9.9 -D KodProduktu=$stary_kod -o "$stara" "$wxs" 2>"$prace/wixl.log" ||
    { cat "$prace/wixl.log" >&2; echo "FAIL: wixl could not build the older package" >&2; exit 1; }
msiexec /i "$stara" /qn || chyba "msiexec /i of 2.9.9: exit status $?"
[[ $(zaznamy) == "{$stary_kod} 2.9.9" ]] || chyba "after installing 2.9.9: $(zaznamy)"
# The user's settings, as the program keeps them.
w reg add "$nastaveni" /v Jazyk /t REG_SZ /d DE /f >/dev/null || chyba "reg add $nastaveni"

# --- This version over it.
msiexec /i "$msi" /qn || chyba "msiexec /i $(basename "$msi"): exit status $?"
[[ $(zaznamy) == "{$kod} $verze" ]] ||
    chyba "Apps & Features after the upgrade: '$(zaznamy)', not only {$kod} $verze"
echo "--- reg query $uninstall\\{$kod}"
w reg query "$uninstall\\{$kod}" | tee "$prace/zaznam" | grep -Ev '^$|REG_SZ *$'
hodnota() { awk -v j="$1" '$1 == j { $1 = $2 = ""; sub(/^ +/, ""); print }' "$prace/zaznam"; }
[[ $(hodnota DisplayName) == Vantrel ]] || chyba "DisplayName: $(hodnota DisplayName)"
[[ $(hodnota DisplayVersion) == "$verze" ]] || chyba "DisplayVersion: $(hodnota DisplayVersion)"
[[ $(hodnota Publisher) == Tarsk ]] || chyba "Publisher: $(hodnota Publisher)"
[[ $(hodnota URLInfoAbout) == https://* ]] || chyba "URLInfoAbout: $(hodnota URLInfoAbout)"
[[ $(hodnota NoModify) == 0x1 ]] || chyba "NoModify: $(hodnota NoModify)"
[[ $(hodnota UninstallString) == "MsiExec.exe /X{$kod}" ]] ||
    chyba "UninstallString: $(hodnota UninstallString)"

# The shortcut's key path in the machine's key; under HKCU only what the user wrote.
w reg query 'HKLM\Software\Tarsk\Vantrel Installer' /v Zastupce 2>/dev/null |
    grep -qE '^ +Zastupce +REG_DWORD +0x1$' || chyba "no key path value under HKLM"
[[ $(w reg query 'HKCU\Software\Tarsk' /s | grep -Ev '^$|^HKEY_CURRENT_USER\\Software\\Tarsk(\\Vantrel)?$') =~ ^\ +Jazyk\ +REG_SZ\ +DE$ ]] ||
    chyba "the installer wrote under HKCU: $(w reg query 'HKCU\Software\Tarsk' /s)"

# A downgrade is refused and leaves this version.
msiexec /i "$stara" /qn && chyba "installing 2.9.9 over $verze succeeded"
[[ $(zaznamy) == "{$kod} $verze" ]] || chyba "after the refused downgrade: $(zaznamy)"

# The files, exactly, and the bytes that were packed.
echo "--- C:\\Program Files\\Vantrel"
(cd "$programy" && find . -mindepth 1 -printf '%P %s\n' | sort) | tee "$prace/soubory"
[[ $(cut -d' ' -f1 "$prace/soubory" | grep . | tr '\n' ' ') == "LICENSE.txt vantrel-join.exe vantrel.exe vtrl.xml " ]] ||
    chyba "the installed files differ"
for soubor in LICENSE.txt vantrel-join.exe vantrel.exe vtrl.xml; do
    cmp -s "$slozka/$soubor" "$programy/$soubor" || chyba "$soubor differs from the packed one"
done

# The program carries its icon, which the shell shows for the file.
python3 "$(dirname "$0")/ikona-programu.py" "$programy/vantrel.exe" "$ikona" ||
    chyba "the installed vantrel.exe lacks its icon"

# The shortcut: to the program, with the program's icon.
if [[ -f $zastupce ]]; then
    echo "--- $(basename "$zastupce"): $(python3 - "$zastupce" <<'EOF'
import re, sys
d = open(sys.argv[1], "rb").read()
print(" | ".join(sorted({s.decode("utf-16-le") for s in re.findall(rb"(?:[ -~]\0){8,}", d)})))
EOF
)" | tee "$prace/zastupce"
    grep -qF 'C:\Program Files\Vantrel\' "$prace/zastupce" || chyba "the shortcut's folder"
    grep -qF 'vantrel.exe' "$prace/zastupce" || chyba "the shortcut's program"
    ikona_zastupce=$(grep -oE 'C:\\windows\\Installer\\\{[^}]+\}\\vantrel\.ico' "$prace/zastupce")
    if [[ -z $ikona_zastupce ]]; then
        chyba "the shortcut has no icon of the package"
    else
        cmp -s "$ikona" "$(cesta "$ikona_zastupce")" || chyba "the shortcut's icon is not vantrel.ico"
    fi
else
    chyba "no shortcut $zastupce"
fi
[[ -e $vsichni ]] && chyba "a shortcut both for all users and for one"
# The entry's icon (ARPPRODUCTICON), as Windows Installer records it.
w reg query 'HKLM\Software\Classes\Installer\Products' /s >"$prace/produkty"
ikona_zaznamu=$(awk '$1 == "ProductIcon" { $1 = $2 = ""; sub(/^ +/, ""); print }' "$prace/produkty")
if [[ -z $ikona_zaznamu ]] || ! cmp -s "$ikona" "$(cesta "$ikona_zaznamu")"; then
    chyba "the entry's icon '$ikona_zaznamu' is not vantrel.ico"
fi

# The installed program runs: its version, and a join of two files.
join='C:\Program Files\Vantrel\vantrel-join.exe'
[[ $(w "$join" --version) == "vantrel-join $verze" ]] || chyba "--version: $(w "$join" --version)"
printf 'first\nsecond' >"$prace/a.txt"
printf 'third\r\n' >"$prace/b.txt"
w "$join" -o "$(w winepath -w "$prace/out.txt")" "$(w winepath -w "$prace/a.txt")" \
    "$(w winepath -w "$prace/b.txt")" || chyba "the installed vantrel-join.exe: exit status $?"
printf 'first\r\nsecond\r\n\r\nthird\r\n\r\n' >"$prace/ocekavany.txt"
cmp "$prace/ocekavany.txt" "$prace/out.txt" >&2 || chyba "the join's bytes: $(od -c "$prace/out.txt")"

# --- The uninstall: nothing of the package is left, the settings stay.
msiexec /x "$msi" /qn || chyba "msiexec /x: exit status $?"
[[ -z $(zaznamy) ]] || chyba "Apps & Features after the uninstall: $(zaznamy)"
[[ -e $programy ]] && chyba "$programy is left: $(ls -A "$programy")"
[[ -e $zastupce ]] && chyba "the shortcut is left"
w reg query 'HKLM\Software\Tarsk\Vantrel Installer' >/dev/null 2>&1 && chyba "the key path's key is left"
w reg query 'HKLM\Software\Classes\Installer\Products' /s | grep -q Vantrel &&
    chyba "Windows Installer still knows the product"
echo "--- reg query $nastaveni (after the uninstall)"
w reg query "$nastaveni" | tee "$prace/nastaveni" | grep .
grep -qE '^ +Jazyk +REG_SZ +DE$' "$prace/nastaveni" || chyba "the user's settings are gone"

# --- The portable zip: one folder with the same files as the installer, and a readme.
echo "--- unzip -l $(basename "$zip")"
unzip -l "$zip"
jmeno=$(basename "$zip" .zip)
[[ $(unzip -Z1 "$zip" | tr '\n' ' ') == "$jmeno/LICENSE.txt $jmeno/README.txt $jmeno/vantrel-join.exe $jmeno/vantrel.exe $jmeno/vtrl.xml " ]] ||
    chyba "the zip's members: $(unzip -Z1 "$zip" | tr '\n' ' ')"
for soubor in LICENSE.txt README.txt vantrel-join.exe vantrel.exe vtrl.xml; do
    unzip -p "$zip" "$jmeno/$soubor" | cmp -s - "$slozka/$soubor" ||
        chyba "the zip's $soubor differs from the installer's"
done
grep -q "HKEY_CURRENT_USER\\\\Software\\\\Tarsk\\\\Vantrel" "$slozka/README.txt" ||
    chyba "the readme does not say where the settings are"

"$server" -k 2>/dev/null
trap - EXIT
exit $selhani
