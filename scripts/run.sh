#!/usr/bin/env bash
# Builds the tool and runs it under Wine.
# With a display ($DISPLAY set): opens varn.exe there, in the zh_CN.UTF-8 locale so that its
# Chinese texts read right.
# Without one: shows the tool's main job on a virtual display. It opens the tool and Wine's
# notepad, fills the edit box with three sample lines, registers HOME, puts the focus into
# notepad and presses HOME, then prints what notepad received and the path of a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."

die() { echo "run: $*" >&2; exit 1; }

scripts/install-deps.sh
[[ -f build/win64/CMakeCache.txt ]] || cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$(nproc)" --target varn varn_wine_bench >/dev/null

if [[ -n ${DISPLAY:-} ]]; then
    source scripts/zh-locale.sh
    ensure_zh_locale
    export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 2>/dev/null
    export WINEPREFIX=${WINEPREFIX:-$HOME/.local/share/varn-wine}
    mkdir -p "$(dirname "$WINEPREFIX")"
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
    exec /usr/lib/wine/wine64 build/win64/varn.exe
fi

shot=$PWD/build/win64/varn-demo.png
rm -f "$shot"
VARN_WINE_TIMEOUT=${VARN_WINE_TIMEOUT:-120} tests/wine/run-in-wine.sh \
    build/win64/tests/wine/bench/varn_wine_bench.exe --demo "--screenshot=$shot" \
    "$PWD/build/win64/varn.exe" | grep -v '^WINE-EXIT-CODE:'
[[ -f $shot ]] && echo "screenshot: $shot"
