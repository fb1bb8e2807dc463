#!/usr/bin/env bash
# Builds the Debian package of a build folder, checks its control fields, file list, dates and
# lintian's verdict, unpacks it into a throw-away root (nothing is installed on the system) and
# runs from there: both programs' version records, a small join, the man pages, the desktop
# entry, the icons, the AppStream metadata and the bash completion. Then `make package` builds
# the same source in a second build folder, which must give the same bytes.
#   tests/install/balicek.sh CPACK BUILD-DIR WORK-DIR VERSION HOMEPAGE SOURCE-DATE-EPOCH \
#       SOURCE-DIR SECOND-BUILD-DIR BUILD-TYPE CXX WERROR SANITIZE
set -uo pipefail

cpack=$1 build=$2 prace=$3 verze=$4 domovska=$5 epocha=$6
zdroj=$7 druhe=$8 typ=$9 cxx=${10} werror=${11} sanitize=${12}

for nastroj in dpkg-deb dpkg-shlibdeps file lintian appstreamcli desktop-file-validate man groff \
    readelf gzip ar make; do
    if ! command -v "$nastroj" >/dev/null; then
        echo "FAIL: $nastroj is missing; make test installs it (TEST_PACKAGES)" >&2
        exit 1
    fi
done
if [[ ! -r /usr/share/bash-completion/bash_completion ]]; then
    echo "FAIL: bash-completion is missing; make test installs it (TEST_PACKAGES)" >&2
    exit 1
fi

selhani=0
chyba() {
    echo "FAIL: $*" >&2
    selhani=1
}

rm -rf "$prace"
mkdir -p "$prace"
if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$prace" >"$prace/cpack.log" 2>&1; then
    cat "$prace/cpack.log" >&2
    echo "FAIL: cpack could not build the package" >&2
    exit 1
fi
arch=$(dpkg --print-architecture)
deb=$prace/vantrel_${verze}_${arch}.deb
if [[ ! -f $deb ]]; then
    echo "FAIL: no $deb; cpack made: $(cd "$prace" && echo *.deb)" >&2
    exit 1
fi

# Control fields. The plugins that draw the SVG images are loaded at run time, so no library
# link finds their package; everything else comes from dpkg-shlibdeps.
pole() { dpkg-deb -f "$deb" "$1"; }
[[ $(pole Package) == vantrel ]] || chyba "Package: $(pole Package)"
[[ $(pole Version) == "$verze" ]] || chyba "Version: $(pole Version), not $verze"
[[ $(pole Architecture) == "$arch" ]] || chyba "Architecture: $(pole Architecture)"
[[ $(pole Section) == text ]] || chyba "Section: $(pole Section)"
[[ $(pole Maintainer) =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || chyba "Maintainer: $(pole Maintainer)"
[[ $(pole Homepage) == "$domovska" ]] || chyba "Homepage: $(pole Homepage), not $domovska"
[[ -n $(pole Description | sed -n 2p) ]] || chyba "the description has no long part"
zavislosti=$(pole Depends)
for balicek in libc6 libstdc++6 libelf1 libqt6core6 libqt6gui6 libqt6widgets6 libqt6xml6 libqt6svg6; do
    [[ ", $zavislosti," == *", $balicek"[\ ,]* ]] || chyba "Depends lacks $balicek: $zavislosti"
done

# The file list: every path, its type and mode, its owner and where a link leads.
dpkg-deb -c "$deb" | awk '{ print $1, $2, $6, $7, $8 }' | sed 's/ *$//' | sort >"$prace/seznam"
sort >"$prace/ocekavany" <<'EOF'
drwxr-xr-x root/root ./
drwxr-xr-x root/root ./usr/
drwxr-xr-x root/root ./usr/bin/
lrwxrwxrwx root/root ./usr/bin/vantrel -> ../lib/vantrel/vantrel
lrwxrwxrwx root/root ./usr/bin/vantrel-join -> ../lib/vantrel/vantrel-join
drwxr-xr-x root/root ./usr/lib/
drwxr-xr-x root/root ./usr/lib/vantrel/
-rwxr-xr-x root/root ./usr/lib/vantrel/vantrel
-rwxr-xr-x root/root ./usr/lib/vantrel/vantrel-join
-rw-r--r-- root/root ./usr/lib/vantrel/vtrl.xml
drwxr-xr-x root/root ./usr/share/
drwxr-xr-x root/root ./usr/share/applications/
-rw-r--r-- root/root ./usr/share/applications/vantrel.desktop
drwxr-xr-x root/root ./usr/share/bash-completion/
drwxr-xr-x root/root ./usr/share/bash-completion/completions/
-rw-r--r-- root/root ./usr/share/bash-completion/completions/vantrel-join
drwxr-xr-x root/root ./usr/share/doc/
drwxr-xr-x root/root ./usr/share/doc/vantrel/
-rw-r--r-- root/root ./usr/share/doc/vantrel/changelog.gz
-rw-r--r-- root/root ./usr/share/doc/vantrel/copyright
drwxr-xr-x root/root ./usr/share/icons/
drwxr-xr-x root/root ./usr/share/icons/hicolor/
drwxr-xr-x root/root ./usr/share/icons/hicolor/16x16/
drwxr-xr-x root/root ./usr/share/icons/hicolor/16x16/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/16x16/apps/vantrel.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/24x24/
drwxr-xr-x root/root ./usr/share/icons/hicolor/24x24/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/24x24/apps/vantrel.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/32x32/
drwxr-xr-x root/root ./usr/share/icons/hicolor/32x32/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/32x32/apps/vantrel.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/48x48/
drwxr-xr-x root/root ./usr/share/icons/hicolor/48x48/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/48x48/apps/vantrel.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/64x64/
drwxr-xr-x root/root ./usr/share/icons/hicolor/64x64/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/64x64/apps/vantrel.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/128x128/
drwxr-xr-x root/root ./usr/share/icons/hicolor/128x128/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/128x128/apps/vantrel.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/256x256/
drwxr-xr-x root/root ./usr/share/icons/hicolor/256x256/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/256x256/apps/vantrel.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/scalable/
drwxr-xr-x root/root ./usr/share/icons/hicolor/scalable/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/scalable/apps/vantrel.svg
drwxr-xr-x root/root ./usr/share/man/
drwxr-xr-x root/root ./usr/share/man/man1/
-rw-r--r-- root/root ./usr/share/man/man1/vantrel-join.1.gz
-rw-r--r-- root/root ./usr/share/man/man1/vantrel.1.gz
drwxr-xr-x root/root ./usr/share/metainfo/
-rw-r--r-- root/root ./usr/share/metainfo/com.example.tarsk.vantrel.metainfo.xml
EOF
diff -u "$prace/ocekavany" "$prace/seznam" >&2 || chyba "the package's file list differs (- expected, + built)"

# Every file, archive member and control file is dated SOURCE_DATE_EPOCH, not the build time.
datum=$(TZ=UTC0 date -d "@$epocha" '+%Y-%m-%d %H:%M:%S')
for archiv in --fsys-tarfile --ctrl-tarfile; do
    data=$(dpkg-deb "$archiv" "$deb" | TZ=UTC0 tar -tv --full-time | awk '{ print $4, $5 }' |
        sort -u)
    [[ $data == "$datum" ]] ||
        chyba "dpkg-deb $archiv: dates other than $datum: $(tr '\n' ' ' <<<"$data")"
done
data=$(TZ=UTC0 LC_ALL=C ar tv "$deb" | awk '{ print $4, $5, $6, $7 }' | sort -u)
[[ $data == "$(TZ=UTC0 LC_ALL=C date -d "@$epocha" '+%b %-d %H:%M %Y')" ]] ||
    chyba "the archive members are dated $(tr '\n' ' ' <<<"$data"), not $datum"

# Errors and warnings fail; lintian's informational tags do not.
lintian --fail-on error,warning "$deb" >"$prace/lintian.log" 2>&1 ||
    chyba "lintian: $(grep -v 'root privileges' "$prace/lintian.log")"

koren=$prace/koren
dpkg-deb -x "$deb" "$koren" || { echo "FAIL: dpkg-deb -x" >&2; exit 1; }
slozka=$koren/usr/lib/vantrel

# Installed-Size as dpkg-gencontrol counts it: each file and link in KiB rounded up, each
# folder 1 KiB.
kib=$(find "$koren" -printf '%y %s\n' |
    awk '$1 == "f" || $1 == "l" { s += int(($2 + 1023) / 1024); next } { s += 1 } END { print s }')
[[ $(pole Installed-Size) == "$kib" ]] || chyba "Installed-Size: $(pole Installed-Size), not $kib"

# The icon as a bitmap at each size, for menus that draw no SVG.
for velikost in 16 24 32 48 64 128 256; do
    png=$koren/usr/share/icons/hicolor/${velikost}x${velikost}/apps/vantrel.png
    [[ $(file -b "$png") == "PNG image data, $velikost x $velikost,"* ]] ||
        chyba "$png: $(file -b "$png")"
done

licence=$(grep '^License:' "$koren/usr/share/doc/vantrel/copyright" | sort -u)
[[ $licence == "License: Expat" ]] || chyba "the copyright file names the licence: $licence"

# Software centres show the summary and every paragraph in each language of the program.
meta=$koren/usr/share/metainfo/com.example.tarsk.vantrel.metainfo.xml
odstavce=$(grep -c '<p>' "$meta")
for jazyk in cs sk de fr es; do
    grep -q "<summary xml:lang=\"$jazyk\">" "$meta" || chyba "the metainfo has no $jazyk summary"
    [[ $(grep -c "<p xml:lang=\"$jazyk\">" "$meta") == "$odstavce" ]] ||
        chyba "the metainfo's description is not wholly in $jazyk"
done

# Stripped, yet the version record that the about dialog reads is still there.
for program in vantrel vantrel-join; do
    sekce=$(readelf -S --wide "$slozka/$program")
    [[ $sekce == *" .symtab "* || $sekce == *" .debug_"* ]] && chyba "$program is not stripped"
    readelf -x .vantrel_version "$slozka/$program" 2>/dev/null | grep -q 'VTRLVER' ||
        chyba "$program lost its .vantrel_version section"
done

# vantrel-join through its link in /usr/bin: the version, and a join of the byte rules.
join=$koren/usr/bin/vantrel-join
vystup=$("$join" --version 2>&1)
[[ $vystup == "vantrel-join $verze" ]] || chyba "vantrel-join --version: $vystup"
printf 'one\r\ntwo' >"$prace/a.txt"
printf 'x\ry\r\n\032ignored\n' >"$prace/b.txt"
: >"$prace/c.txt"
if "$join" -o "$prace/spojeno.txt" "$prace/a.txt" "$prace/b.txt" "$prace/c.txt"; then
    printf 'one\r\ntwo\r\n\r\nxy\r\n\r\n\r\n' >"$prace/ocekavane.txt"
    cmp "$prace/ocekavane.txt" "$prace/spojeno.txt" || chyba "the installed vantrel-join joined wrong bytes"
else
    chyba "the installed vantrel-join failed"
fi

# The man pages render without a warning, carry the release and cover what they must.
man1=$koren/usr/share/man/man1
for stranka in "vantrel.1:Vantrel.reg vtrl.xml XDG_CONFIG_HOME F9 Ctrl+J vantrel-join(1)" \
    "vantrel-join.1:--buffer-size --output EXIT STATUS byte 26 CR LF I/O error 32"; do
    soubor=$man1/${stranka%%:*}.gz
    varovani=$(gzip -dc "$soubor" | groff -man -ww -z 2>&1) || chyba "groff failed on $soubor"
    [[ -z $varovani ]] && varovani=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$soubor" 2>&1 >/dev/null)
    [[ -z $varovani ]] || chyba "${stranka%%:*}: $varovani"
    text=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$soubor" 2>/dev/null | col -b)
    [[ $text == *"Vantrel $verze"* ]] || chyba "${stranka%%:*} does not name Vantrel $verze"
    for slovo in ${stranka#*:}; do
        [[ $text == *"$slovo"* ]] || chyba "${stranka%%:*} does not mention $slovo"
    done
done

vystup=$(desktop-file-validate "$koren/usr/share/applications/vantrel.desktop" 2>&1) ||
    chyba "desktop-file-validate failed: $vystup"
[[ -z $vystup ]] || chyba "desktop-file-validate: $vystup"
# The whole tree, so the launchable's desktop entry must be there too.
vystup=$(appstreamcli validate-tree --no-net --pedantic "$koren" 2>&1) ||
    chyba "appstreamcli validate-tree failed: $vystup"
[[ $vystup != *[EWI]:\ * ]] || chyba "appstreamcli: $vystup"

# The completion offers the options, a file after -o, sizes after --buffer-size and, after --,
# files that begin with a dash.
mkdir -p "$prace/doplneni" && : >"$prace/doplneni/-poznamky.txt"
vystup=$(cd "$prace/doplneni" && bash --norc --noprofile -c '
    source /usr/share/bash-completion/bash_completion
    source "$1"
    compopt() { :; }
    doplnit() {
        COMP_WORDS=("$@"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); COMPREPLY=()
        COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
        _vantrel_join vantrel-join "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
        echo "$* => ${COMPREPLY[*]}"
    }
    complete -p vantrel-join
    doplnit vantrel-join --b
    doplnit vantrel-join --v
    doplnit vantrel-join -o ""
    doplnit vantrel-join --buffer-size 6
    doplnit vantrel-join -- -
' doplneni "$koren/usr/share/bash-completion/completions/vantrel-join" 2>&1)
for radek in "complete -F _vantrel_join vantrel-join" "vantrel-join --b => --buffer-size=" \
    "vantrel-join --v => --version" "vantrel-join -o  => -poznamky.txt" \
    "vantrel-join --buffer-size 6 => 64K" "vantrel-join -- - => -poznamky.txt"; do
    grep -qxF -- "$radek" <<<"$vystup" || chyba "completion: no line '$radek' in:"$'\n'"$vystup"
done

# The same source built again by `make package` in a folder of its own, with the first build's
# type, compiler and options: the same bytes, and nothing built but what the package holds. The
# folder is kept between runs, so that a later run rebuilds only what changed.
# A sanitizer build's package is never shipped: the check belongs to the plain build.
if [[ $sanitize == ON ]]; then
    echo "Package $deb: the same-bytes check of a second build runs in the plain build"
elif ! mkdir -p "$druhe" || ! { CXX=$cxx cmake -S "$zdroj" -B "$druhe" -G Ninja -DCMAKE_BUILD_TYPE="$typ" &&
    env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL SOURCE_DATE_EPOCH="$epocha" make -C "$zdroj" \
        -o deps -o deps-package package BUILD="$druhe" WERROR="$werror" SANITIZE="$sanitize" JOBS=2
} >"$prace/druhe.log" 2>&1; then
    tail -n 30 "$prace/druhe.log" >&2
    chyba "make package in a second build folder failed"
else
    cmp "$deb" "$druhe/vantrel_${verze}_${arch}.deb" ||
        chyba "the second build folder's package differs: $(sha256sum "$deb" "$druhe"/*.deb)"
    vystup=$(cd "$druhe/bin" && echo *)
    [[ $vystup == "vantrel vantrel-join vtrl.xml" ]] || chyba "make package built more: $vystup"
fi

[[ $selhani -eq 0 ]] && echo "Package $deb: control, file list, dates, lintian, installed" \
    "programs, man pages, desktop entry, icons, metainfo and completion checked; a second build" \
    "folder gave the same bytes"
exit $selhani
