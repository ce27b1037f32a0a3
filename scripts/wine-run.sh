#!/bin/sh
# Runs a Windows binary under Wine in the given private prefix: wine-run.sh PREFIX PROGRAM [ARGS...]
# A missing Wine is a loud failure, never a silent pass.
set -eu
prefix=$1
shift
if ! command -v wine >/dev/null 2>&1; then
    echo "wine-run.sh: wine is not installed; Windows tests cannot run" >&2
    exit 127
fi
mkdir -p "$prefix"
WINEPREFIX=$(cd "$prefix" && pwd)
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
