#!/usr/bin/env bash
# Runs an end-to-end test program under Wine (as wine-exec.sh does) with Wine's relay trace on the copies of
# Quorvane.exe it starts, not on the test program itself, limited to the wide-character functions the exe can
# reach (tools/relay_calls.py). Fails when the tests fail or when a call from the exe's image reaches a wide
# function that the 95 family does not implement (there such a function is a stub that fails).
# Usage: relay-check.sh BUILD_ROOT ARCH EXE TEST_PROGRAM [ARGS...]
# The trace is kept as relay-trace.log in QV_ARTIFACTS (or the build folder).
set -uo pipefail
QV_BUILD=$1 QV_RUN_ARCH=$2 exe=$3; shift 3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"
"$here/wineprefix.sh" || exit 1

relay_list=$(python3 "$QV_SOURCE/tools/relay_calls.py" names "$QV_RUN_ARCH-w64-mingw32-objdump" "$exe") || exit 1
"$QV_WINE" reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /t REG_SZ /d "$relay_list" /f >/dev/null 2>&1 || {
    echo "relay-check: cannot set RelayInclude in $WINEPREFIX" >&2
    exit 1
}
wineserver -w  # the test's session starts a server of its own, on its own display

trace=${QV_ARTIFACTS:-$QV_BUILD}/relay-trace.log
mkdir -p "$(dirname "$trace")"
program_debug=+pid,+loaddll,+relay
[ "${QV_HEAP_CHECK:-}" = 1 ] && program_debug=warn+heap,$program_debug
QV_PROGRAM_WINEDEBUG=$program_debug "$here/wine-exec.sh" "$QV_BUILD" "$QV_RUN_ARCH" "$@" 2>"$trace"
status=$?
# The test program's own error output, without the trace.
grep -vE '^[0-9a-f]+:[0-9a-f]+:(Call|Ret|trace:loaddll|trace:relay|Starting thread)' "$trace" >&2
python3 "$QV_SOURCE/tools/relay_calls.py" check "$trace" "$exe" || status=1
exit $status
