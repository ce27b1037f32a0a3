#!/bin/sh
# kestrova-cli.exe against two fake monitors behind the Monitor Configuration API back end: the
# test build of the library in the driver folder of a prefix of its own, the registry naming the
# "VISTA API" driver, then a whole Automatic run of each monitor.
# wine_cli_fake_monitors_test.sh WINE_RUN PREFIX PROGRAM LIBRARY SCRATCH
set -eu
wine_run=$1
prefix=$2
program=$3
library=$4
scratch=$5

fail() {
    echo "wine_cli_fake_monitors_test: $*" >&2
    exit 1
}

rm -rf "$scratch"
mkdir -p "$scratch"
cd "$scratch"
export KESTROVA_VIRTUAL_CLOCK=1 BREVLINK_BACKEND=monitor-config
unset BREVLINK_LAB_PROFILE 2>/dev/null || true

"$wine_run" "$prefix" "$program" --help >help.txt 2>&1 || fail "--help failed: $(cat help.txt)"
drivers="$prefix/drive_c/Program Files/Common Files/Velmora Displays/Drivers"
mkdir -p "$drivers"
cp "$library" "$drivers/"
"$wine_run" "$prefix" reg add 'HKCU\Software\Velmora Displays\LMT' /v WrapperDriverCurrent /d "VISTA API" /f \
    >/dev/null 2>&1 || fail "cannot set the current driver in the registry"

"$wine_run" "$prefix" "$program" monitors >monitors.txt 2>&1 || fail "monitors failed: $(cat monitors.txt)"
[ "$(tr -d '\r' <monitors.txt | grep -c .)" -eq 2 ] || fail "not two monitors: $(cat monitors.txt)"
tr -d '\r' <monitors.txt | head -n 1 | grep -q "Acer - V246HL" || fail "monitor 1 not named by its EDID"

for monitor in 1 2; do
    status=0
    "$wine_run" "$prefix" "$program" run --mode automatic --monitor "$monitor" --report "r$monitor.html" \
        --junit "r$monitor.xml" --no-progress </dev/null >"out$monitor.txt" 2>"err$monitor.txt" || status=$?
    # Rows fail (the fakes' faults), so 1; anything else is a broken run.
    [ "$status" -eq 1 ] || fail "run of monitor $monitor answered $status: $(cat "err$monitor.txt")"
    tr -d '\r' <"out$monitor.txt" | tail -n 1 | grep -qx "Testing complete." || fail "monitor $monitor: run did not end"
    tail -c 40 "r$monitor.html" | grep -q "u) DPVL support" || fail "monitor $monitor: report not whole"
    /usr/bin/python3 -c 'import sys, xml.etree.ElementTree as ET; ET.parse(sys.argv[1])' "r$monitor.xml" ||
        fail "monitor $monitor: JUnit file does not parse"
    grep -q "Driver Name</td><td width=260>VISTA API</td>" "r$monitor.html" || fail "monitor $monitor: no driver name"
    grep -q "I2C Support</td><td width=260>Vista I2C Support</td>" "r$monitor.html" ||
        fail "monitor $monitor: the registry's driver does not show"
done

# Monitor 1 unplugged after 40 reads: every later read fails, the run still ends and says so.
status=0
BREVLINK_FAKE_VANISH_AFTER_READS=40 "$wine_run" "$prefix" "$program" run --mode automatic --monitor 1 \
    --report gone.html --no-progress </dev/null >gone.txt 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "the run of a vanishing monitor answered $status: $(cat gone.txt)"
tr -d '\r' <gone.txt | grep -qx "Testing complete." || fail "the run of a vanishing monitor did not end"
tail -c 40 gone.html | grep -q "u) DPVL support" || fail "the vanishing monitor's report is not whole"
[ "$(grep -o "FAIL to get current" gone.html | wc -l)" -gt "$(grep -o "FAIL to get current" r1.html | wc -l)" ] ||
    fail "the reads after the monitor vanished are not failed reads"
"$wine_run" "$prefix" reg delete 'HKCU\Software\Velmora Displays' /f >/dev/null 2>&1 || true

# Monitor 1: the corpus EDID and capabilities string, and each API failure a failed read.
grep -q "Display Model</td><td width=260>V246HL</td>" r1.html || fail "EDID table not from the fake's EDID"
grep -q "Serial Number</td><td width=260>LXXEE0138584</td>" r1.html || fail "EDID serial not the fake's"
grep -qF "model(ACER)cmds(01 02 03 07 0C E3 F3)vcp(02 04 05 08 0B 10 12 14(05 08 0B 0C)" r1.html ||
    fail "capabilities section not the fake's string"
grep -q "FAIL to get current 0x62 Audio Speaker Vol" r1.html || fail "the checksum failure of 0x62 is not a failed read"
grep -q "FAIL to get current 0x16 Red Video Gain" r1.html || fail "the bus failure of 0x16 is not a failed read"
grep -q "could not read after set to 0" r1.html || fail "the failing set of 0x18 did not fail its row"
# Monitor 2: no EDID, the second corpus string.
grep -q "Display Model</td><td width=260></td>" r2.html || fail "monitor 2 shows an EDID it does not have"
grep -qF "model(ACER XV272UKV)" r2.html || fail "monitor 2's capabilities not the fake's"
echo "wine_cli_fake_monitors_test: passed"
