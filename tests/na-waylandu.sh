#!/bin/bash
# Runs a program under a Wayland compositor of its own: weston's headless backend on a private
# socket, so Qt takes its Wayland platform as on a Wayland desktop.
#   tests/na-waylandu.sh PROGRAM [ARGS...]
set -u

command -v weston >/dev/null || { echo "FAIL: weston is missing; run make test" >&2; exit 1; }
beh=$(mktemp -d)
chmod 700 "$beh"
weston_pid=
uklid() {
    [[ -n $weston_pid ]] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
    rm -rf "$beh"
}
trap uklid EXIT

export XDG_RUNTIME_DIR=$beh
export WAYLAND_DISPLAY=vantrel-test
weston --backend=headless-backend.so --no-config --idle-time=0 --socket="$WAYLAND_DISPLAY" \
    --width=1920 --height=1200 >"$beh/weston.log" 2>&1 &
weston_pid=$!
# The compositor is ready once its socket exists.
for _ in $(seq 200); do
    [[ -S $beh/$WAYLAND_DISPLAY ]] && break
    kill -0 "$weston_pid" 2>/dev/null || { cat "$beh/weston.log" >&2; echo "FAIL: weston ended" >&2; exit 1; }
    sleep 0.1
done
[[ -S $beh/$WAYLAND_DISPLAY ]] || { echo "FAIL: weston gave no socket within 20 s" >&2; exit 1; }

QT_QPA_PLATFORM=wayland "$@"
