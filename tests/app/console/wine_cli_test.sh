#!/bin/sh
# The Windows console build under Wine: help, the loading error without a library, then an
# Automatic run of the built-in lab monitor with the library in the prefix's driver directory.
# wine_cli_test.sh WINE_RUN PREFIX PROGRAM LIBRARY SCRATCH
set -eu
wine_run=$1
prefix=$2
program=$3
library=$4
scratch=$5

fail() {
    echo "wine_cli_test: $*" >&2
    exit 1
}

rm -rf "$scratch"
mkdir -p "$scratch"
cd "$scratch"
export KESTROVA_VIRTUAL_CLOCK=1
unset BREVLINK_BACKEND BREVLINK_LAB_PROFILE 2>/dev/null || true

# The first start also builds the prefix, so the common files folder exists afterwards.
"$wine_run" "$prefix" "$program" --help >help.txt 2>&1 || fail "--help failed: $(cat help.txt)"
grep -q "Usage: kestrova" help.txt || fail "no usage text: $(cat help.txt)"

drivers="$prefix/drive_c/Program Files/Common Files/Velmora Displays/Drivers"
rm -rf "$drivers"
status=0
"$wine_run" "$prefix" "$program" monitors >out.txt 2>err.txt || status=$?
[ "$status" -eq 2 ] || fail "monitors without a library answered $status: $(cat err.txt)"
grep -q "kestrova: cannot load the wrapper library" err.txt || fail "no loading error line: $(cat err.txt)"

mkdir -p "$drivers"
cp "$library" "$drivers/"
status=0
"$wine_run" "$prefix" "$program" run --mode automatic --codes 0x10,0x12 --report r.html --junit r.xml \
    --no-progress </dev/null >out.txt 2>err.txt || status=$?
rm -rf "$prefix/drive_c/Program Files/Common Files/Velmora Displays"
[ "$status" -eq 0 ] || fail "run answered $status: $(cat err.txt)"
tr -d '\r' <out.txt | head -n 1 | grep -qx "READY" || fail "log does not start with READY: $(cat out.txt)"
tr -d '\r' <out.txt | tail -n 1 | grep -qx "Testing complete." || fail "log does not end the run"
[ -s r.html ] || fail "no report"
summary=$(/usr/bin/python3 -c 'import sys, xml.etree.ElementTree as ET
r = ET.parse(sys.argv[1]).getroot()
print(r.get("tests"), r.get("failures"))' r.xml) || fail "JUnit file does not parse"
[ "$summary" = "4 0" ] || fail "JUnit summary is '$summary'"
echo "wine_cli_test: passed"
