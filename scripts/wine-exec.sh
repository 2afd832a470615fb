#!/usr/bin/env bash
# Runs a Windows program of the build under Wine in the project's prefix (the CTest emulator).
# Usage: wine-exec.sh BUILD_ROOT ARCH PROGRAM [ARGS...]
set -euo pipefail
QV_BUILD=$1 QV_RUN_ARCH=$2; shift 2
source "$(dirname "$0")/common.sh"
"$QV_SOURCE/scripts/wineprefix.sh"
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s '-screen 0 1280x800x24' "$QV_WINE" "$@"
fi
exec "$QV_WINE" "$@"
