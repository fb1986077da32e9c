#!/usr/bin/env bash
# Pacing benchmark: types "0019280608-80" through the real tool under Wine at each scan speed,
# and more than 20,000 key events at the fastest, and prints how the key events arrived in a
# target window: events, nominal pause time, measured time, their ratio, events per second, and
# whether every key arrived in order. Builds the win64 preset first when needed.
#
# usage: scripts/bench-pacing.sh
set -euo pipefail
cd "$(dirname "$0")/.."

[[ -f build/win64/CMakeCache.txt ]] || cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$(nproc)" --target varn varn_wine_bench >/dev/null

# About a minute of typing; the limit only guards against a hung run.
VARN_WINE_TIMEOUT=${VARN_WINE_TIMEOUT:-600} exec tests/wine/run-in-wine.sh \
    build/win64/tests/wine/bench/varn_wine_bench.exe --pacing "$PWD/build/win64/varn.exe"
