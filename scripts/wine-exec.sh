#!/usr/bin/env bash
# Runs a Windows program of the build under Wine in the project's prefix (the CTest emulator).
# Usage: wine-exec.sh BUILD_ROOT ARCH PROGRAM [ARGS...]
# The program's output goes through files: Wine's helper processes (and programs the tests start)
# inherit the Unix descriptors, and would keep a caller's pipe open long after the program ended.
#
# QV_WINE_SLOT=N runs it in a Wine session of its own: a copy of the prefix (so its own wineserver, its
# own named objects such as the single-instance mutex) on a private virtual display (its own focus and
# hotkeys). Test programs in different slots can then run side by side.
set -uo pipefail
QV_BUILD=$1 QV_RUN_ARCH=$2; shift 2
source "$(dirname "$0")/common.sh"
"$QV_SOURCE/scripts/wineprefix.sh" || exit 1

private_display=
if [ -n "${QV_WINE_SLOT:-}" ]; then
    base=$WINEPREFIX
    export WINEPREFIX=$base-slot$QV_WINE_SLOT
    if [ ! -f "$WINEPREFIX/$QV_PREFIX_MARKER" ] || [ "$base/$QV_PREFIX_MARKER" -nt "$WINEPREFIX/$QV_PREFIX_MARKER" ]; then
        rm -rf "$WINEPREFIX"
        cp -a "$base" "$WINEPREFIX"
    fi
    private_display=1
fi
[ -z "${DISPLAY:-}" ] && private_display=1

out=$(mktemp) err=$(mktemp)
cleanup() {
    if [ -n "$private_display" ]; then
        # The session ends with its display: what the program left running would outlive the test.
        wineserver -k >/dev/null 2>&1 || true
        [ -n "${QV_XVFB_PID:-}" ] && kill "$QV_XVFB_PID" 2>/dev/null
    fi
    rm -f "$out" "$err"
}
trap cleanup EXIT
[ -n "$private_display" ] && start_xvfb

"$QV_WINE" "$@" >"$out" 2>"$err" </dev/null
status=$?
cat "$out"
cat "$err" >&2
exit $status
