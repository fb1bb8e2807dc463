#!/usr/bin/env bash
# Builds the Windows packages of an x64 build folder from the files laid out in one folder:
#   windows-package.sh STRIP EPOCH WXS PRODUCT-CODE VERSION MSI ZIP FOLDER FILE...
# FOLDER (the zip's top folder) gets a copy of each FILE, stripped where it is a program and
# dated EPOCH; wixl builds MSI from WXS, whose files lie in FOLDER; ZIP holds FOLDER.
set -euo pipefail

strip=$1 epocha=$2 wxs=$3 kod=$4 verze=$5 msi=$6 zip=$7 slozka=$8
shift 8

# strip dates the programs' headers with SOURCE_DATE_EPOCH, else with the time of the run.
export SOURCE_DATE_EPOCH=$epocha

rm -rf "$slozka" "$msi" "$zip"
mkdir -p "$slozka"
for soubor in "$@"; do
    cil=$slozka/$(basename "$soubor")
    cp "$soubor" "$cil"
    if [[ $cil == *.exe ]]; then
        "$strip" "$cil"
    fi
    touch -d "@$epocha" "$cil"
done
touch -d "@$epocha" "$slozka"

wixl -a x64 -D "Verze=$verze" -D "KodProduktu=$kod" -o "$msi" "$wxs"

# The members in a fixed order, without the extra fields that hold the owner and the times
# (-X), and their DOS times in UTC, so the same files give the same bytes.
cd "$(dirname "$slozka")"
jmeno=$(basename "$slozka")
(cd "$jmeno" && LC_ALL=C ls) | sed "s|^|$jmeno/|" | TZ=UTC0 zip -q -X -D "$zip" -@
