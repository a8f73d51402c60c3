#!/usr/bin/env bash
# Runs every fuzz target for SECONDS each (default 60), or until it has made RUNS executions when RUNS is
# given, one after the other, keeping each target's corpus in
# build/fuzz-corpus/<target> between runs and reading tests/fuzz/corpus/<target> (the seed corpus, crash inputs
# included) as well. Prints per target the executions, the coverage before and after and the inputs added;
# crash inputs land in build/fuzz-crashes/<target>. Exit status 1 when any target crashed.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
runs=${2:--1}
jobs=${FUZZ_BUILD_JOBS:-2}

cmake --preset fuzz >build/fuzz-configure.log 2>&1 || { cat build/fuzz-configure.log; exit 1; }
cmake --build --preset fuzz -j"$jobs" >build/fuzz-build.log 2>&1 || { tail -n 60 build/fuzz-build.log; exit 1; }

status=0
printf '%-18s %14s %10s %10s %8s %s\n' target executions cov-start cov-end added result
for source in tests/fuzz/Fuzz*.cpp tests/skin/fuzz/Fuzz*.cpp; do
    target=$(basename "$source" .cpp)
    binary=build/fuzz/$(dirname "$source")/$target
    corpus=build/fuzz-corpus/$target
    crashes=build/fuzz-crashes/$target
    seeds=tests/fuzz/corpus/$target
    mkdir -p "$corpus" "$crashes"
    dirs=("$corpus")
    [ -d "$seeds" ] && dirs+=("$seeds")
    log=build/fuzz-corpus/$target.log
    "$binary" "${dirs[@]}" -max_total_time="$seconds" -runs="$runs" -rss_limit_mb=2048 -max_len=65536 \
        -print_final_stats=1 -artifact_prefix="$crashes/" >"$log" 2>&1
    rc=$?
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    added=$(sed -n 's/^stat::new_units_added: *//p' "$log" | tail -n 1)
    start=$(grep -E '^#[0-9]+[[:space:]]+INITED' "$log" | sed -E 's/.* cov: ([0-9]+).*/\1/' | tail -n 1)
    end=$(grep -E '^#[0-9]+[[:space:]]+' "$log" | grep -E ' cov: ' | tail -n 1 | sed -E 's/.* cov: ([0-9]+).*/\1/')
    result=ok
    if [ "$rc" -ne 0 ]; then
        result="crashed (exit $rc, see $log and $crashes)"
        status=1
    fi
    printf '%-18s %14s %10s %10s %8s %s\n' "$target" "${executions:-?}" "${start:-?}" "${end:-?}" "${added:-?}" \
        "$result"
done
exit $status
