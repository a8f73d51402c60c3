#!/usr/bin/env bash
# Runs every test: the native core tests (with sanitizers) and the format check, a short run of every fuzz
# target, and the Windows tests under Wine. Prints ctest's summary of each and a total at the end.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh || exit 1

jobs=$(nproc 2>/dev/null || echo 2)
passed=0
failed=0
status=0

run_preset() {
    local preset=$1
    echo "==== $preset ===="
    if ! cmake --preset "$preset" >"build/$preset.log" 2>&1 || ! cmake --build --preset "$preset" -j"$jobs" >>"build/$preset.log" 2>&1; then
        tail -n 60 "build/$preset.log"
        echo "build of $preset failed"
        failed=$((failed + 1))
        status=1
        return
    fi
    rm -f "build/$preset.log"
    local out
    out=$(mktemp)
    ctest --preset "$preset" 2>&1 | tee "$out"
    local rc=${PIPESTATUS[0]}
    local line
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$out" | tail -n 1)
    if [ -n "$line" ]; then
        local total fails
        total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
        fails=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
        passed=$((passed + total - fails))
        failed=$((failed + fails))
    elif [ "$rc" -ne 0 ]; then
        failed=$((failed + 1))
    fi
    [ "$rc" -eq 0 ] || status=1
    rm -f "$out"
}

mkdir -p build
run_preset native
run_preset fuzz
run_preset windows

echo "==== all ===="
echo "$passed passed, $failed failed"
exit $status
