#!/usr/bin/env bash
# Runs a Windows program of the build under Wine in the project's prefix (the CTest emulator).
# Usage: wine-exec.sh BUILD_ROOT ARCH PROGRAM [ARGS...]
# The program's output goes through files: Wine's helper processes (and programs the tests start)
# inherit the Unix descriptors, and would keep a caller's pipe open long after the program ended.
set -uo pipefail
QV_BUILD=$1 QV_RUN_ARCH=$2; shift 2
source "$(dirname "$0")/common.sh"
"$QV_SOURCE/scripts/wineprefix.sh" || exit 1
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s '-screen 0 1280x800x24' "$QV_WINE" "$@" >"$out" 2>"$err" </dev/null
else
    "$QV_WINE" "$@" >"$out" 2>"$err" </dev/null
fi
status=$?
cat "$out"
cat "$err" >&2
exit $status
