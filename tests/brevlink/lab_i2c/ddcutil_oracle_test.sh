#!/bin/sh
# Debian's ddcutil, a DDC/CI implementation written elsewhere, against the lab's monitors served on
# /dev/i2c-N by brevlink-lab-i2c: if our framing (addresses, length byte, checksum seeds,
# capabilities fragments, the unsupported reply) were misread on both sides, it would show here.
#   ddcutil_oracle_test.sh LAUNCHER LAB_DIR WORK_DIR
set -u
launcher=$1
lab=$2
work=$3
rm -rf "$work" && mkdir -p "$work"
command -v ddcutil >/dev/null || { echo "ddcutil is not installed (scripts/install-deps.sh)"; exit 1; }
# A private cache and configuration: ddcutil keeps capabilities by monitor, and every lab monitor
# of a profile family has the same EDID.
export XDG_CACHE_HOME="$work/cache" XDG_CONFIG_HOME="$work/config" HOME="$work"
strict="$work/strict.json"
cat >"$strict" <<JSON
{ "name": "strict", "monitors": [ { "base": "compliant", "position": 1,
  "wire": { "strictSource": true, "strictChecksum": true, "replyOnce": true } } ] }
JSON
caps=$(python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))["monitors"][0]["capabilities"])' "$lab/compliant.json")

failures=0
n=0
# check PROFILE BUS EXPECTED(grep -F text) -- DDCUTIL ARGUMENTS...
check() {
    profile=$1 bus=$2 expected=$3
    shift 4
    n=$((n + 1))
    out="$work/out.$n"
    "$launcher" --log "$work/log.$n" "$profile" -- ddcutil --bus "$bus" --sleep-multiplier "${sleep:-0.1}" \
        --disable-capabilities-cache "$@" >"$out" 2>&1
    if [ -n "$expected" ] && ! grep -qF -- "$expected" "$out"; then
        echo "FAIL: $(basename "$profile") bus $bus: ddcutil $*: expected \"$expected\", got:"
        sed 's/^/    /' "$out" | head -20
        failures=$((failures + 1))
    fi
}

# The compliant monitor: found, its EDID decoded to what the profile holds, capabilities whole.
check "$lab/compliant.json" 201 "Mfg id: BRV, model: BREVLINK LAB, sn: LAB0000001" -- probe
check "$lab/compliant.json" 201 "Unparsed capabilities string: $caps" -- --verbose capabilities
check "$lab/compliant.json" 201 "current value =    75, max value =   100" -- getvcp 10
check "$lab/compliant.json" 201 "Raw value: opcode=0x14, mh=0x00, ml=0x0b, sh=0x00, sl=0x05" -- getvcp 14 --verbose
check "$lab/compliant.json" 201 "Unsupported feature code" -- getvcp e0
check "$lab/two-monitors.json" 202 "current value =    75, max value =   100" -- getvcp 10
check "$lab/two-monitors.json" 205 "current value =    40, max value =   100" -- getvcp 10
# A strict monitor answers only well-formed requests from 0x51, once: ddcutil's requests are.
check "$strict" 201 "current value =    70, max value =   100" -- getvcp 12
check "$strict" 201 "Unparsed capabilities string: $caps" -- --verbose capabilities
check "$strict" 201 "Mfg id: BRV, model: BREVLINK LAB, sn: LAB0000001" -- probe

# A monitor whose reply is ready only 40 ms after the request: ddcutil's own waits meet it; waits
# cut to a tenth get the null messages a busy monitor sends.
slow="$work/slow.json"
cat >"$slow" <<JSON
{ "name": "slow", "monitors": [ { "base": "compliant", "position": 1, "wire": { "replyDelayMs": 40 } } ] }
JSON
sleep=1
check "$slow" 201 "current value =    75, max value =   100" -- getvcp 10
sleep=0.1
check "$slow" 201 "DDCRC_ALL_RESPONSES_NULL" -- getvcp 10

# A value set is read back by ddcutil and seen by the lab.
check "$lab/compliant.json" 201 "" -- setvcp 10 30 --verify
if ! grep -qx "1 0x10 30" "$work/log.$n"; then
    echo "FAIL: setvcp 10 30: the lab saw $(cat "$work/log.$n" 2>/dev/null || echo nothing)"
    failures=$((failures + 1))
fi
if grep -qi "verification failed\|error" "$work/out.$n"; then
    echo "FAIL: setvcp 10 30 --verify:"; sed 's/^/    /' "$work/out.$n"
    failures=$((failures + 1))
fi

# Faulty monitors: DDC/CI errors to ddcutil, never values.
check "$lab/faulty-bad-checksum.json" 201 "Maximum retries exceeded" -- getvcp 10
check "$lab/faulty-bad-checksum.json" 201 "DDCRC_DDC_DATA" -- --stats errors getvcp 10
check "$lab/faulty-silent-code.json" 201 "Invalid response. status code=ENXIO" -- getvcp 12
check "$lab/faulty-garbled-caps.json" 201 "Capabilities string lacks closing parenthesis" -- capabilities

# The device files as other programs see them; everything else untouched.
seen=$("$launcher" "$lab/two-monitors.json" -- sh -c 'stat -c "%F %t:%T" /dev/i2c-202; ls /dev | grep "^i2c-2"; \
    test -e /dev/i2c-201 || echo "no i2c-201"; head -c 1 /dev/null; echo ok' 2>&1)
want=$(printf 'character special file 59:ca\ni2c-202\ni2c-205\nno i2c-201\nok')
if [ "$seen" != "$want" ]; then
    echo "FAIL: the lab's device files: expected"; echo "$want"; echo "got"; echo "$seen"
    failures=$((failures + 1))
fi

echo "$n ddcutil runs, $failures failed"
[ "$failures" -eq 0 ]
