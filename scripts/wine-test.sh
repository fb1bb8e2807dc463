#!/usr/bin/env bash
# Runs a Windows program under wine64, as CTest's cross-compiling emulator:
#   wine-test.sh PREFIX WINE64 [PROGRAM.exe [ARGUMENT...]]
# Every run of one build folder shares the Wine prefix PREFIX, made by the first run (later ones
# wait for it): a prefix takes seconds to make, and the tests can share one as they could share
# a Windows machine, each writing only registry keys and files of its own. No display is used,
# unless VANTREL_WINE_DISPLAY names one.
set -euo pipefail

prefix=$1
wine=$2
shift 2

export WINEPREFIX=$prefix
export WINEDEBUG=-all
# Wine names Unix files in the locale's codeset: UTF-8, as the Linux build, whatever the caller's
# locale (a bare environment has none, and then only ASCII names reach the file system).
export LC_ALL=C.UTF-8
# No Mono or Gecko installer dialogs while the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

# The prefix's server outlives each program by a minute. With Wine's default of three seconds the
# server may be leaving just as the next test's program connects, which then dies with "wine
# client error: recvmsg: Connection reset by peer". Exit status 2: a server runs already.
server=$(dirname "$wine")/wineserver64
[[ -x $server ]] || server=wineserver

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
if [[ ! -e $prefix/.hotovo ]]; then
    rm -rf "$prefix"
    "$wine" wineboot -i >/dev/null 2>&1
    # A program that crashes ends with its report on standard error; no dialog waits for a click.
    "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        >/dev/null 2>&1
    # The server that made the prefix leaves with the default delay; ours comes after it.
    "$server" -w
    touch "$prefix/.hotovo"
fi
# Without a program, only the prefix is made.
(($# > 0)) || exit 0
# Tests that open windows, on the X server that wine-gui-test.sh started for them: the
# session's desktop lives on the display of its first program.
if [[ -n ${VANTREL_WINE_DISPLAY:-} ]]; then
    export DISPLAY=$VANTREL_WINE_DISPLAY
fi

# A new server's session (its system processes live as long as it) is started apart from the
# test's output: CTest waits for the last holder of that to leave.
if "$server" -p60 </dev/null >/dev/null 2>&1 9>&-; then
    "$wine" cmd /c exit </dev/null >/dev/null 2>&1 9>&- || true
fi
flock -u 9
exec 9>&-

# The programs write text mode (CR LF); GoogleTest's list of tests is read as lines by CMake.
for argument in "$@"; do
    if [[ $argument == --gtest_list_tests ]]; then
        "$wine" "$@" | tr -d '\r'
        exit "${PIPESTATUS[0]}"
    fi
done
exec "$wine" "$@"
