#!/usr/bin/env bash
# Libraries the cross builds need that Debian ships only as source: libjpeg-turbo (from its source
# package) and GoogleTest (from /usr/src/googletest). Built once per architecture, cached in the build folder.
# Usage: deps.sh ARCH...
set -euo pipefail
source "$(dirname "$0")/common.sh"

fetch_jpeg_source() {
    local src=$QV_DEPS/src
    mkdir -p "$src"
    if ! ls "$src"/libjpeg-turbo-*/CMakeLists.txt >/dev/null 2>&1; then
        (cd "$src" && apt-get source -qq libjpeg-turbo >/dev/null 2>&1) || {
            # Package lists older than the source entries need one update.
            apt-get update -qq && (cd "$src" && apt-get source -qq libjpeg-turbo >/dev/null)
        }
    fi
    ls -d "$src"/libjpeg-turbo-*/ | head -n 1
}

for arch in "$@"; do
    prefix=$(cross_prefix "$arch")
    toolchain=(-DCMAKE_TOOLCHAIN_FILE="$QV_SOURCE/cmake/mingw.cmake" -DQV_WIN_ARCH="$arch" "${QV_LAUNCHER[@]}")
    if [ ! -f "$prefix/lib/libjpeg.a" ]; then
        log "building libjpeg-turbo for $arch-w64-mingw32"
        jpeg_src=$(fetch_jpeg_source)
        cmake -S "$jpeg_src" -B "$QV_DEPS/libjpeg-$arch" -G Ninja "${toolchain[@]}" -Wno-dev \
            -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF >/dev/null
        cmake --build "$QV_DEPS/libjpeg-$arch" -j "$QV_JOBS" >/dev/null
        cmake --install "$QV_DEPS/libjpeg-$arch" >/dev/null
    fi
    if [ ! -f "$prefix/lib/libgtest.a" ]; then
        log "building GoogleTest for $arch-w64-mingw32"
        cmake -S /usr/src/googletest -B "$QV_DEPS/gtest-$arch" -G Ninja "${toolchain[@]}" \
            -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" >/dev/null
        cmake --build "$QV_DEPS/gtest-$arch" -j "$QV_JOBS" >/dev/null
        cmake --install "$QV_DEPS/gtest-$arch" >/dev/null
    fi
done
