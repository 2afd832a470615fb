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

# QV_HEAP_CHECK=1 (the test runs): Wine checks its heaps at every call and fills freed blocks with
# 0xFEEEFEEE, so a use after free faults or is reported where it happens. Any heap warning or unhandled
# exception that the program, the tests or the programs they start print fails the run, even when the
# test itself passed.
if [ "${QV_HEAP_CHECK:-}" = 1 ]; then
    export WINEDEBUG=$WINEDEBUG,warn+heap
fi

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
if [ "${QV_HEAP_CHECK:-}" = 1 ] && grep -q -E 'warn:heap|err:heap|Unhandled (exception|page fault)|unhandled exception' "$err"; then
    echo "wine-exec: heap damage or an unhandled exception was reported (lines above)" >&2
    [ $status -eq 0 ] && status=1
fi
exit $status
