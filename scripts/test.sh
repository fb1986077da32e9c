#!/usr/bin/env bash
# Installs what is missing, configures and builds every preset, and runs every
# test: unit tests natively, again under ASan and UBSan, the fuzzer for a
# bounded time, and the Windows build's tests under Wine. Ends with one line
# that sums up all test runs.
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh || exit 1

jobs=$(nproc)
for preset in host asan win32 win64; do
    echo "== build $preset"
    { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j "$jobs"; } || {
        echo "build of $preset failed"
        echo "total: 0 passed, 1 failed"
        exit 1
    }
done

passed=0
failed=0
for preset in host asan win32 win64; do
    echo "== test $preset"
    log=$(mktemp)
    ctest --preset "$preset" 2>&1 | tee "$log"
    summary=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
    rm -f "$log"
    if [ -z "$summary" ]; then
        echo "ctest for $preset gave no summary"
        failed=$((failed + 1))
        continue
    fi
    bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
    all=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$summary")
    passed=$((passed + all - bad))
    failed=$((failed + bad))
done

echo "total: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
