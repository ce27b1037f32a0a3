#!/bin/sh
# Kestrova.exe walked from outside by walk_driver, against kestrova-cli.exe making the same choices:
# Settings > Automatic, No Project, monitor 1, the check-off defaults and the selection dialog's own
# ticks. The two reports must match byte for byte except for the cover's test time, the text
# "Tested: <time> <long date>" (e.g. "Tested: 2:07 PM Monday, December 7, 2026"), and the window's
# log list must match the console's log line for line.
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

"$wine_run" "$prefix" "$driver" --log window-log.txt "$window" window.html >walk.txt 2>&1 ||
    fail "the walk failed:
$(cat walk.txt)"

status=0
"$wine_run" "$prefix" "$console" run --mode automatic --report console.html --no-progress </dev/null \
    >console-log.txt 2>console-err.txt || status=$?
# 1 only says that a row failed, which the lab monitor's report may hold; 2 is a setup error.
[ "$status" -le 1 ] || fail "kestrova-cli run answered $status: $(cat console-err.txt)"

# One cover line each: the time without seconds and the long date, in the English locale's form.
tested='Tested: [0-9]{1,2}:[0-9]{2} [AP]M [A-Z][a-z]+, [A-Z][a-z]+ [0-9]{1,2}, [0-9]{4}<'
for report in window.html console.html; do
    [ -s "$report" ] || fail "no report $report"
    found=$(grep -Eo "$tested" "$report" | wc -l)
    [ "$found" -eq 1 ] || fail "$report holds $found test times of the form '$tested', not 1"
    sed -E "s/$tested/Tested: (time) (date)</" "$report" >"$report.untimed"
done
if ! cmp -s window.html.untimed console.html.untimed; then
    # The report is a few long lines; one tag a line makes the difference readable.
    sed 's/>/>\n/g' window.html.untimed >window.tags
    sed 's/>/>\n/g' console.html.untimed >console.tags
    fail "the window's report differs from the console's (- window, + console):
$(diff -u window.tags console.tags | head -n 80)"
fi

tr -d '\r' <console-log.txt >console-log.lines
tr -d '\r' <window-log.txt >window-log.lines
if ! cmp -s window-log.lines console-log.lines; then
    fail "the window's log differs from the console's (- window, + console):
$(diff -u window-log.lines console-log.lines | head -n 80)"
fi
echo "window_walk_test: passed ($(wc -c <window.html) bytes of report, $(wc -l <window-log.lines) log lines)"
