#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, if any is missing.
set -euo pipefail

packages=(
    cmake make g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev
    g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    wine64 xvfb imagemagick fonts-wqy-microhei locales file python3
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
