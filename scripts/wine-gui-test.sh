#!/usr/bin/env bash
# Runs a Windows program that opens windows under wine64, as CTest's cross-compiling emulator:
#   wine-gui-test.sh PREFIX WINE64 PROGRAM.exe [ARGUMENT...]
# As wine-test.sh, on a private X server started for the run. Wine's desktop lives on the X
# server of the first program of a session, so each run is a session of its own, ended with its
# server: the tests that use it must not run at once (a CTest resource lock), and keep to a
# prefix of their own. Listing the tests needs no server.
set -euo pipefail

here=$(dirname "$0")
prefix=$1
wine=$2
for argument in "${@:3}"; do
    if [[ $argument == --gtest_list_tests ]]; then
        exec "$here/wine-test.sh" "$@"
    fi
done

# The desktop must not live in a session without a display: the one that made the prefix or
# listed the tests.
"$here/wine-test.sh" "$prefix" "$wine"
WINEPREFIX=$prefix "$(dirname "$wine")/wineserver" -k 2>/dev/null || true

cislo=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$cislo" 2>/dev/null &
server=$!
spravce=""
konec() {
    WINEPREFIX=$prefix "$(dirname "$wine")/wineserver" -k 2>/dev/null || true
    [[ -z $spravce ]] || kill "$spravce" 2>/dev/null || true
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
    rm -f "$cislo"
}
trap konec EXIT
for _ in $(seq 100); do
    [[ -s $cislo ]] && break
    kill -0 "$server" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.1
done
[[ -s $cislo ]] || { echo "Xvfb gave no display" >&2; exit 1; }
obrazovka=:$(head -n 1 "$cislo")
# A window manager, as on a desktop: without one Wine waits up to seconds for every window it
# hides to be withdrawn.
DISPLAY=$obrazovka openbox --sm-disable >/dev/null 2>&1 &
spravce=$!

VANTREL_WINE_DISPLAY=$obrazovka "$here/wine-test.sh" "$@"
