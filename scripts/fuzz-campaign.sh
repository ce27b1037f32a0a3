#!/usr/bin/env bash
# The fuzz campaign: each target of the fuzz build in turn (one process at a time, at the lowest
# priority), RUNS executions each (10,000,000 unless set), from a corpus of its own that grows
# from the seeds and is kept between campaigns. MAX_SECONDS, when set, also ends each target after
# that long. Prints one line of figures per target for docs/FUZZING.md; fails on a crash.
#
#   scripts/fuzz-campaign.sh [target...]      (default: every target)
#   RUNS=1000000 scripts/fuzz-campaign.sh caps_fuzz
#   MAX_SECONDS=600 scripts/fuzz-campaign.sh lab_profile_fuzz
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/fuzz
runs=${RUNS:-10000000}
limit=()
if [ -n "${MAX_SECONDS:-}" ]; then
    limit=(-max_total_time="$MAX_SECONDS")
fi
[ -d "$build/fuzz-args" ] || { echo "build the fuzz preset first: cmake --preset fuzz && cmake --build --preset fuzz" >&2; exit 1; }
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for args in "$build"/fuzz-args/*.txt; do
        targets+=("$(basename "$args" .txt)")
    done
fi
mkdir -p "$build/fuzz-campaign" "$build/fuzz-artifacts"
status=0
for target in "${targets[@]}"; do
    corpus="$build/fuzz-campaign/$target"
    log="$build/fuzz-campaign/$target.log"
    mkdir -p "$corpus"
    # shellcheck disable=SC2046 # the flags and seed folders are words
    if ! nice -n 19 "$build/bin/$target" -runs="$runs" "${limit[@]}" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$build/fuzz-artifacts/$target-" $(cat "$build/fuzz-args/$target.txt" | head -1 | sed "s|^|$corpus |") \
        >"$log" 2>&1; then
        status=1
        echo "$target: CRASH (see $log and $build/fuzz-artifacts/)"
    fi
    seconds=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log")
    executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    coverage=$(grep -E '^#[0-9]+' "$log" | tail -1 | sed -n 's/.*cov: \([0-9]*\) ft: \([0-9]*\) corp: \([0-9]*\).*/\1 edges, \2 features, \3 inputs/p')
    echo "$target: ${executed:-?} executions in ${seconds:-?} s; ${coverage:-no coverage line}"
done
exit $status
