#!/bin/sh
# Kestrova.exe walked from outside by walk_driver, against kestrova-cli.exe making the same choices:
# Settings > Automatic, No Project, monitor 1, the check-off defaults and the selection dialog's own
# ticks; then every item of the selection tree ticked against every group. The two reports must
# match byte for byte except for the cover's test time, the text "Tested: <time> <long date>" (e.g.
# "Tested: 2:07 PM Monday, December 7, 2026"), and the window's log list must match the console's
# log line for line.
# window_walk_test.sh WINE_RUN PREFIX DRIVER WINDOW CONSOLE LIBRARY SCRATCH
set -eu
wine_run=$1
prefix=$2
driver=$3
window=$4
console=$5
library=$6
scratch=$7

fail() {
    echo "window_walk_test: $*" >&2
    exit 1
}

[ -n "${DISPLAY:-}" ] || fail "DISPLAY is empty: the window needs an X display (scripts/test-all.sh starts Xvfb)"

rm -rf "$scratch"
mkdir -p "$scratch"
cd "$scratch"
# The walk sets the virtual clock for the window itself; the console takes it from here.
export KESTROVA_VIRTUAL_CLOCK=1
# The cover's time is written in the locale's form; the pattern below knows the English one.
export LC_ALL=C.UTF-8
unset BREVLINK_BACKEND BREVLINK_LAB_PROFILE 2>/dev/null || true

# The first start of a fresh prefix builds it, so the common files folder exists afterwards.
"$wine_run" "$prefix" "$console" --help >help.txt 2>&1 || fail "--help failed: $(cat help.txt)"
vendor_folder="$prefix/drive_c/Program Files/Common Files/Velmora Displays"
trap 'rm -rf "$vendor_folder"' EXIT
mkdir -p "$vendor_folder/Drivers"
cp "$library" "$vendor_folder/Drivers/"

# One cover line each: the time without seconds and the long date, in the English locale's form.
tested='Tested: [0-9]{1,2}:[0-9]{2} [AP]M [A-Z][a-z]+, [A-Z][a-z]+ [0-9]{1,2}, [0-9]{4}<'

# compare NAME "WALK OPTIONS" "CONSOLE OPTIONS": the window walked with the first, the console run
# with the second; both must make the same choices.
compare() {
    name=$1
    mkdir "$name"
    # shellcheck disable=SC2086  # the options are words
    "$wine_run" "$prefix" "$driver" $2 --log "$name/window-log.txt" "$window" "$name/window.html" \
        >"$name/walk.txt" 2>&1 || fail "$name: the walk failed:
$(cat "$name/walk.txt")"

    status=0
    # shellcheck disable=SC2086
    "$wine_run" "$prefix" "$console" run --mode automatic $3 --report "$name/console.html" --no-progress \
        </dev/null >"$name/console-log.txt" 2>"$name/console-err.txt" || status=$?
    # 1 only says that a row failed, which the lab monitor's report may hold; 2 is a setup error.
    [ "$status" -le 1 ] || fail "$name: kestrova-cli run answered $status: $(cat "$name/console-err.txt")"

    for report in window console; do
        [ -s "$name/$report.html" ] || fail "$name: no report $name/$report.html"
        found=$(grep -Eo "$tested" "$name/$report.html" | wc -l)
        [ "$found" -eq 1 ] || fail "$name/$report.html holds $found test times of the form '$tested', not 1"
        sed -E "s/$tested/Tested: (time) (date)</" "$name/$report.html" >"$name/$report.untimed"
        # The report is a few long lines; one tag a line makes a difference readable.
        sed 's/>/>\n/g' "$name/$report.untimed" >"$name/$report.tags"
    done
    cmp -s "$name/window.untimed" "$name/console.untimed" ||
        fail "$name: the window's report differs from the console's (- window, + console):
$(diff -u "$name/window.tags" "$name/console.tags" | head -n 80)"

    tr -d '\r' <"$name/window-log.txt" >"$name/window-log.lines"
    tr -d '\r' <"$name/console-log.txt" >"$name/console-log.lines"
    cmp -s "$name/window-log.lines" "$name/console-log.lines" ||
        fail "$name: the window's log differs from the console's (- window, + console):
$(diff -u "$name/window-log.lines" "$name/console-log.lines" | head -n 80)"
    echo "window_walk_test: $name: the same $(wc -c <"$name/window.html") bytes of report and" \
        "$(wc -l <"$name/window-log.lines") log lines"
}

# The selection dialog's own ticks, from the monitor's capabilities.
compare default-ticks "" ""
# Every item of the tree ticked by hand against every group on the command line: each check box is
# read back, the plug-in items among them.
compare every-item "--tick-all" "--groups all"
echo "window_walk_test: passed"
