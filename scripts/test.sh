#!/usr/bin/env bash
# Command 2: installs what is missing, builds every tree and runs every test: the portable core's unit
# tests natively (with sanitizers), then the Windows tests (unit, Win32 and end to end) under Wine on a
# private virtual display. Extra arguments go to both ctest runs (e.g. -R Ini).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
source "$here/common.sh"

archs=(i686)
[ "$QV_RUN_ARCH" != i686 ] && archs+=("$QV_RUN_ARCH")
"$here/deps.sh" "${archs[@]}"

log "building"
configure_native
build_tree native
for arch in "${archs[@]}"; do
    configure_windows "$arch"
    if [ "$arch" = "$QV_RUN_ARCH" ]; then
        build_tree "win-$arch"
    else
        # A tree this host cannot run: the program itself is compiled, its tests would not run.
        build_tree "win-$arch" Quorvane
    fi
done
"$here/wineprefix.sh"

cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "${QV_XVFB_PID:-}" ] && kill "$QV_XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT
start_xvfb
# One wineserver for the whole run keeps each program start cheap.
wineserver -p300 2>/dev/null || true

status=0
log "native tests"
ctest --test-dir "$QV_BUILD/native" --output-on-failure -j "$QV_JOBS" "$@" || status=1
log "Windows tests ($QV_RUN_ARCH, under Wine)"
ctest --test-dir "$QV_BUILD/win-$QV_RUN_ARCH" --output-on-failure "$@" || status=1
exit $status
