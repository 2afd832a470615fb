#!/usr/bin/env bash
# Command 2: installs what is missing, builds every tree and runs every test: the portable core's unit
# tests natively (with sanitizers), the fuzz targets for a few seconds each, then the Windows tests (unit,
# Win32 and end to end) under Wine on a private virtual display. Extra arguments go to every ctest run
# (e.g. -R Ini).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
source "$here/common.sh"

# GoogleTest reads GTEST_FILTER (e.g. GTEST_FILTER='Skin.*' to run a subset), but the build lists the native
# tests by running the test program: with a filter set then, the list would keep only the filtered tests.
# It is given to the test runs alone.
test_filter=${GTEST_FILTER-}
unset GTEST_FILTER

archs=(i686)
[ "$QV_RUN_ARCH" != i686 ] && archs+=("$QV_RUN_ARCH")
"$here/deps.sh" "${archs[@]}"

log "building"
configure_native
build_tree native
# The fuzz targets, in their own clang tree.
configure_fuzz
build_tree fuzz
# Every tree is built whole: the shipped i686 program, its tests and benchmarks are compiled on every
# host, so a mistake only the 32-bit compiler sees fails here even where its tests cannot run.
for arch in "${archs[@]}"; do
    configure_windows "$arch"
    build_tree "win-$arch"
done
# The release package: its scenario unpacks and runs it.
QV_PACKAGE_SKIP_SETUP=1 "$here/package.sh"
"$here/wineprefix.sh"

start_private_wine_session

if [ -n "$test_filter" ]; then export GTEST_FILTER=$test_filter; fi
# A whole run must find tests in every tree (a -R choosing a few leaves some trees empty on purpose).
if [ $# -eq 0 ]; then set -- --no-tests=error; fi
status=0
log "native tests"
ctest --test-dir "$QV_BUILD/native" --output-on-failure -j "$QV_JOBS" "$@" || status=1
log "fuzz targets (a few seconds each; scripts/fuzz.sh runs them longer)"
ctest --test-dir "$QV_BUILD/fuzz" --output-on-failure -j "$QV_JOBS" "$@" || status=1
log "Windows tests ($QV_RUN_ARCH, under Wine, with its heap checking)"
export QV_HEAP_CHECK=1
# The end-to-end shards, the long scenarios, the Western ones and the scaled display's run in Wine sessions
# of their own, beside the other Windows tests in this one: all at once.
ctest --test-dir "$QV_BUILD/win-$QV_RUN_ARCH" --output-on-failure -j "$((QV_E2E_SHARDS + 5))" "$@" || status=1
# What passed without being checked: the test programs name each skip and each count they could not read.
grep -hE '^(SKIPPED|UNCHECKED) ' "$QV_BUILD/win-$QV_RUN_ARCH/Testing/Temporary/LastTest.log" 2>/dev/null |
    sort -u | while read -r line; do log "not checked: $line"; done || true
if [ "$QV_RUN_ARCH" != i686 ]; then
    log "not run: this host runs no 32-bit code; the i686 Windows tests were built but not run (the tests above ran the x86_64 build)"
fi
exit $status
