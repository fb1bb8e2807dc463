#!/usr/bin/env bash
# Starts the program from a build folder; says plainly when there is no display to show it on.
set -euo pipefail
bin=${1:-build}/bin
if [[ ! -x $bin/vantrel ]]; then
    exec "$bin/vantrel-join" --help
fi
if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} && -z ${QT_QPA_PLATFORM:-} ]]; then
    echo "vantrel: no display found (DISPLAY is not set); on a machine without one run: xvfb-run $bin/vantrel" >&2
    exit 1
fi
exec "$bin/vantrel"
