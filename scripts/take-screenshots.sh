#!/usr/bin/env bash
# Screenshots of the main window for docs/screens, under Wine: right after "READY", and during a
# Manual run with its first Redo/Yes/No question up. The window is walked there by the window walk
# driver of the tests, in a prefix of its own so that no test's driver folder is touched. Builds
# nothing: build the windows preset first (Kestrova.exe, kestrova_window_walk, Brevlink.dll).
#   scripts/take-screenshots.sh [BUILD_DIR]      BUILD_DIR defaults to build/windows
# Uses the X display in DISPLAY, or starts a private Xvfb when DISPLAY is empty.
# Needs wine, xdotool and ImageMagick's import.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$(cd "${1:-build/windows}" && pwd)
bin=$build/bin
screens=$root/docs/screens
prefix=$build/screens-wineprefix
work=$build/screens
wine_run=$root/scripts/wine-run.sh

for file in Kestrova.exe kestrova_window_walk.exe Brevlink.dll; do
    [ -f "$bin/$file" ] || { echo "take-screenshots: $bin/$file is missing; build the windows preset" >&2; exit 1; }
done
for tool in xdotool import; do
    command -v "$tool" >/dev/null || { echo "take-screenshots: $tool is not installed" >&2; exit 1; }
done

xvfb_pid=
driver_pid=
cleanup() {
    if [ -n "$driver_pid" ]; then
        kill "$driver_pid" 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
    display_number=$(scripts/free-display.sh)
    Xvfb ":$display_number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$display_number"
    sleep 1
    kill -0 "$xvfb_pid" || { echo "take-screenshots: Xvfb did not start on $DISPLAY" >&2; exit 1; }
fi

export LC_ALL=C.UTF-8
unset BREVLINK_BACKEND BREVLINK_LAB_PROFILE KESTROVA_VIRTUAL_CLOCK
"$wine_run" "$prefix" wineboot --init >/dev/null 2>&1
# Wine draws the caption and frame itself, as Windows would, whether or not a window manager runs.
"$wine_run" "$prefix" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
drivers="$prefix/drive_c/Program Files/Common Files/Velmora Displays/Drivers"
mkdir -p "$drivers"
cp "$bin/Brevlink.dll" "$drivers/"
rm -rf "$work"
mkdir -p "$work" "$screens"
cd "$work"

# shot NAME POINT [DRIVER OPTIONS...]: walks the window to POINT, shoots it, lets the driver go on.
shot() {
    local name=$1 point=$2
    shift 2
    rm -f hold
    "$wine_run" "$prefix" "$bin/kestrova_window_walk.exe" "$@" --stop-at "$point" --hold-file hold \
        "$bin/Kestrova.exe" unused.html >"$name.txt" 2>&1 &
    driver_pid=$!
    for _ in $(seq 1 600); do
        grep -q "walk_driver: at $point" "$name.txt" 2>/dev/null && break
        kill -0 "$driver_pid" 2>/dev/null || { cat "$name.txt" >&2; exit 1; }
        sleep 0.1
    done
    grep -q "walk_driver: at $point" "$name.txt" || { echo "take-screenshots: never at $point" >&2; exit 1; }
    # Let the last log line and the progress bars paint.
    sleep 1
    local window
    window=$(xdotool search --onlyvisible --name '^Kestrova$' | head -n 1)
    [ -n "$window" ] || { echo "take-screenshots: no visible window named Kestrova" >&2; exit 1; }
    # The picture is the screen around the main window and any dialog of the program over it (a
    # dialog is centred on the screen, so it may reach past the main window).
    local left=100000 top=100000 right=0 bottom=0 shown X Y WIDTH HEIGHT
    for shown in $window $(xdotool search --onlyvisible --pid "$(xdotool getwindowpid "$window")" 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$shown" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
        [ "$WIDTH" -gt 1 ] && [ "$HEIGHT" -gt 1 ] || continue
        [ "$X" -lt "$left" ] && left=$X
        [ "$Y" -lt "$top" ] && top=$Y
        [ $((X + WIDTH)) -gt "$right" ] && right=$((X + WIDTH))
        [ $((Y + HEIGHT)) -gt "$bottom" ] && bottom=$((Y + HEIGHT))
    done
    import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$screens/$name.png"
    touch hold
    wait "$driver_pid" || { cat "$name.txt" >&2; exit 1; }
    driver_pid=
    echo "take-screenshots: $screens/$name.png"
}

shot main-window-ready ready
shot main-window-running question --manual
