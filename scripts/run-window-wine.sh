#!/usr/bin/env bash
# Builds Kestrova.exe and Brevlink.dll (mingw-w64) and starts the window under Wine against
# Brevlink's built-in simulated monitor, on Debian 12 as root:
#   bash scripts/run-window-wine.sh
# The window opens on $DISPLAY; without one, on a private Xvfb display (then take a look with
# `import -display :N -window root shot.png`). Wine runs in a private prefix,
# build/windows/wineprefix-window, whose "Common Files/Velmora Displays/Drivers" folder gets the
# library, where the tester looks for it. Extra arguments go to Wine's environment as NAME=VALUE
# (e.g. KESTROVA_VIRTUAL_CLOCK=1, BREVLINK_LAB_PROFILE=Z:\\path\\to\\lab\\two-monitors.json).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=${KESTROVA_JOBS:-$(nproc)}

scripts/install-deps.sh

echo "== Windows build of Kestrova.exe and Brevlink.dll"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs" --target kestrova_window brevlink

prefix="$root/build/windows/wineprefix-window"
if [ -z "${DISPLAY:-}" ]; then
    display_number=$(scripts/free-display.sh)
    Xvfb ":$display_number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
    export DISPLAY=":$display_number"
    sleep 1
    echo "== no DISPLAY: the window is on the private display $DISPLAY"
fi
scripts/wine-run.sh "$prefix" wineboot --init
drivers="$prefix/drive_c/Program Files/Common Files/Velmora Displays/Drivers"
mkdir -p "$drivers"
cp build/windows/bin/Brevlink.dll "$drivers/"

echo "== Kestrova.exe (close the window to end)"
env "$@" scripts/wine-run.sh "$prefix" build/windows/bin/Kestrova.exe
