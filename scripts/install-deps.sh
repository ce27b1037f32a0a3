#!/usr/bin/env bash
# Installs, with apt-get, every Debian 12 package the builds and tests need that is not already there.
set -euo pipefail

packages=(
    g++ cmake make pkg-config
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    clang-format clang-14 libclang-rt-14-dev
    g++-mingw-w64-x86-64 wine wine64 fonts-wine xvfb xauth imagemagick x11-utils
    python3 libpython3-dev libboost-python-dev nlohmann-json3-dev
    edid-decode chromium ddcutil
    wixl help2man lintian dpkg-dev
)

# --minimal: only what the main job's Release build of kestrova and Brevlink needs.
if [ "${1:-}" = "--minimal" ]; then
    packages=(g++ cmake make nlohmann-json3-dev)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "install-deps: installing ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        echo "install-deps: missing packages and not root; run as root or install them first" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
    echo "install-deps: all packages present"
fi
