#!/usr/bin/env bash
# Runs a Windows program that makes windows under wine64 with no X server, as CTest's emulator
# for the Win32 shell's tests: Wine's null display driver draws nothing, but windows, controls
# and fonts work.
#   wine-okna.sh PREFIX WINE64 PROGRAM.exe [ARGUMENT...]
# The prefix is the shell tests' own, made by the first run (later ones wait for it); the driver
# is chosen before its desktop is first made. The run itself is wine-test.sh's.
set -euo pipefail

prefix=$1
wine=$2

export WINEPREFIX=$prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
if [[ ! -e $prefix/.hotovo ]]; then
    rm -rf "$prefix"
    "$wine" wineboot -i >/dev/null 2>&1
    "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    # The desktop that wineboot made is gone with its server; the next one uses the driver.
    "$(dirname "$wine")/wineserver" -k 2>/dev/null || true
    "$(dirname "$wine")/wineserver" -w 2>/dev/null || true
    touch "$prefix/.hotovo"
fi
flock -u 9
exec 9>&-

exec "$(dirname "$0")/wine-test.sh" "$@"
