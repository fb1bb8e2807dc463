#!/usr/bin/env bash
# Starts the program from a build folder; says plainly when there is no display to show it on.
set -euo pipefail
bin=${1:-build}/bin
if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} && -z ${QT_QPA_PLATFORM:-} ]]; then
    echo "vantrel: no display found (DISPLAY is not set). Run it on a virtual display with" >&2
    echo "  xvfb-run $bin/vantrel" >&2
    echo "or try the join alone:" >&2
    echo "  $bin/vantrel-join --help" >&2
    exit 1
fi
exec "$bin/vantrel"
