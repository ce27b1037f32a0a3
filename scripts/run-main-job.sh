#!/usr/bin/env bash
# The main job: on a fresh Debian 12 machine, as root, from anywhere:
#   installs what the build needs (apt-get, only what is missing), builds the command-line front
#   `kestrova` and the Brevlink library (Release, preset main-job), and runs an Automatic test of
#   Brevlink's built-in simulated monitor with `kestrova run`. The HTML report (and a JUnit file of
#   the same results) is left in ./kestrova-report/ of the repository; its path is printed last.
# Exit status: 0 when the run ended (whatever its rows say; see results.xml), else kestrova's or
# the build's failure status.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=${KESTROVA_JOBS:-$(nproc)}

scripts/install-deps.sh --minimal

echo "== Release build of kestrova and Brevlink"
cmake --preset main-job >/dev/null
cmake --build --preset main-job -j "$jobs"

# The build placed the library where the tester's driver-directory walk finds it once
# CommonProgramFiles names this folder; no brevlink.conf and no BREVLINK_* variable means the
# built-in compliant lab monitor.
export CommonProgramFiles="$root/build/main-job/drivers"
unset BREVLINK_BACKEND BREVLINK_LAB_PROFILE KESTROVA_VIRTUAL_CLOCK
report_dir="$root/kestrova-report"
mkdir -p "$report_dir"
rm -f "$report_dir"/*.html "$report_dir/results.xml"

echo "== kestrova run --mode automatic (the built-in lab monitor)"
status=0
# The lab monitor's application enable key (0xC6) is 0x5A: the engineer's locking code for it.
build/main-job/bin/kestrova run --mode automatic --locking-code 5A --report "$report_dir/" \
    --junit "$report_dir/results.xml" </dev/null || status=$?
# 1 only says that a row failed: the run ended and its report is there.
if [ "$status" -gt 1 ]; then
    echo "run-main-job: kestrova run failed (exit status $status)" >&2
    exit "$status"
fi

report=$(find "$report_dir" -maxdepth 1 -name 'VCP Check *.html' -print -quit)
if [ -z "$report" ]; then
    echo "run-main-job: no report in $report_dir" >&2
    exit 1
fi
echo "JUnit results: $report_dir/results.xml"
echo "Report: $report"
