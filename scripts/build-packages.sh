#!/usr/bin/env bash
# Builds both packages: the Windows installer (mingw-w64 tree, wixl) and the Debian package
# (Release tree of preset deb, dpkg-deb, help2man), installing what is missing with apt-get.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${KESTROVA_JOBS:-$(nproc)}

scripts/install-deps.sh

echo "== Windows installer"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs" --target msi

echo "== Debian package"
cmake --preset deb >/dev/null
cmake --build --preset deb -j "$jobs"

ls -1 "$PWD"/build/windows/packages/Kestrova-*-x64.msi "$PWD"/build/deb/packages/kestrova_*_amd64.deb
