#!/usr/bin/env bash
# Runs the fuzz targets (fuzz/<name>/) for as long as asked: scripts/fuzz.sh [seconds] [name...]
# (default: 600 seconds each, every target). New inputs gather in build/fuzz/corpus/<name>; a crash leaves its
# input in build/fuzz/crashes/<name>/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
source "$here/common.sh"

seconds=${1:-600}
shift || true
configure_fuzz
build_tree fuzz
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
    for dir in "$QV_SOURCE"/fuzz/*/; do
        name=$(basename "$dir")
        [ -f "$dir/$name.cpp" ] && names+=("$name")
    done
fi
status=0
for name in "${names[@]}"; do
    log "fuzzing $name for ${seconds}s"
    mkdir -p "$QV_BUILD/fuzz/corpus/$name" "$QV_BUILD/fuzz/crashes/$name"
    "$QV_BUILD/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$QV_BUILD/fuzz/crashes/$name/" "$QV_BUILD/fuzz/corpus/$name" "$QV_SOURCE/fuzz/$name/corpus" ||
        status=1
done
exit $status
