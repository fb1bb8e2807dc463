#!/usr/bin/env bash
# Installs the Debian packages named on the command line that are not installed yet.
# As root it uses apt-get, otherwise sudo when that works without a password; failing both it
# prints the exact command to run and stops. The package lists are refreshed only when an
# install cannot find a package.
set -euo pipefail

missing=()
for p in "$@"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -eq 0 ]]; then
    apt=(apt-get)
elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
    apt=(sudo apt-get)
else
    echo "Missing packages. Install them with:" >&2
    echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# Another install running at the same time (a second build, the desktop's updater) is waited for.
apt+=(-o DPkg::Lock::Timeout=600)
if ! "${apt[@]}" install -y --no-install-recommends "${missing[@]}"; then
    "${apt[@]}" update
    "${apt[@]}" install -y --no-install-recommends "${missing[@]}"
fi
