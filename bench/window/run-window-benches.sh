#!/usr/bin/env bash
# Runs the window's benchmarks under Wine and prints their numbers:
#   (a) start-up to "READY" of Kestrova.exe beside kestrova-cli.exe monitors (medians), real and
#       virtual clock;
#   (b) 100,000 log lines from a worker thread into the real list box (us a line, private bytes);
#   (c) the peak memory of Kestrova.exe over a full Automatic run with every group ticked, walked
#       by the window walk driver of the tests.
#   bench/window/run-window-benches.sh [BUILD_DIR]      BUILD_DIR defaults to build/windows
# Builds nothing. Uses the X display in DISPLAY (start Xvfb first) and a prefix of its own.
# KESTROVA_BENCH_LOG_LINES sets the number of lines of (b); 100,000 lines take minutes under Wine.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
build=$(cd "${1:-build/windows}" && pwd)
bin=$build/bin
prefix=$build/bench-wineprefix
wine_run=$root/scripts/wine-run.sh
[ -n "${DISPLAY:-}" ] || { echo "run-window-benches: DISPLAY is empty; start Xvfb first" >&2; exit 1; }

export LC_ALL=C.UTF-8
unset BREVLINK_BACKEND BREVLINK_LAB_PROFILE KESTROVA_VIRTUAL_CLOCK
"$wine_run" "$prefix" wineboot --init >/dev/null 2>&1
drivers="$prefix/drive_c/Program Files/Common Files/Velmora Displays/Drivers"
mkdir -p "$drivers"
cp "$bin/Brevlink.dll" "$drivers/"
work=$build/bench-window
rm -rf "$work"
mkdir -p "$work"
cd "$work"

echo "== (a) start-up"
"$wine_run" "$prefix" "$bin/window_startup_bench.exe" --rounds 9 "$bin/Kestrova.exe" "$bin/kestrova-cli.exe"
"$wine_run" "$prefix" "$bin/window_startup_bench.exe" --rounds 9 --virtual-clock "$bin/Kestrova.exe" \
    "$bin/kestrova-cli.exe"
echo "== (b) log lines"
"$wine_run" "$prefix" "$bin/window_log_lines_bench.exe" --lines "${KESTROVA_BENCH_LOG_LINES:-100000}"
echo "== (c) memory of a full Automatic run, every group ticked"
"$wine_run" "$prefix" "$bin/kestrova_window_walk.exe" --tick-all "$bin/Kestrova.exe" full-run.html |
    grep -E "ticked|answered|peak|FAILED" || true
