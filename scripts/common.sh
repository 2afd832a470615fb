# Shared by the scripts: where things live and how the trees are built. Sourced, not run.
QV_SOURCE=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QV_BUILD=${QV_BUILD:-$QV_SOURCE/build}
QV_DEPS=$QV_BUILD/deps
QV_JOBS=${QV_JOBS:-$(nproc)}

log() { printf '== %s\n' "$*" >&2; }

# The program is a 32-bit Windows program. Some hosts' kernels run no 32-bit code at all (i386 execve
# fails with ENOEXEC), and there only 64-bit Wine works: the same sources are then built for x86_64 to
# run and test them. QV_RUN_ARCH may be set to force either.
host_runs_32bit() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }
if [ -z "${QV_RUN_ARCH:-}" ]; then
    if host_runs_32bit; then QV_RUN_ARCH=i686; else QV_RUN_ARCH=x86_64; fi
fi

# QV_WINE_LOCALE=western runs Wine as on a Western system (code page 1252), in a prefix of its own: a
# wineserver keeps the code page it started with, so the two cannot share one.
if [ "${QV_WINE_LOCALE:-}" = western ]; then
    export WINEPREFIX=$QV_BUILD/wineprefix-$QV_RUN_ARCH-western
else
    export WINEPREFIX=$QV_BUILD/wineprefix-$QV_RUN_ARCH
fi
# QV_WINE_DPI=N runs Wine on a display scaled to N pixels an inch (96 is 100 %, 144 is 150 %, 192 is
# 200 %), in a prefix of its own: a wineserver keeps the scale it started with too.
if [ -n "${QV_WINE_DPI:-}" ] && [ "$QV_WINE_DPI" != 96 ]; then
    export WINEPREFIX=$WINEPREFIX-dpi$QV_WINE_DPI
fi
# QV_WINE_VERSION=win98|win2k|winxp runs Wine as that version of Windows (GetVersion then reports the 95
# family for win98, also under 64-bit Wine), in a prefix of its own: the version is a setting of the prefix.
case "${QV_WINE_VERSION:-}" in
    '') ;;
    win98|win2k|winxp) export WINEPREFIX=$WINEPREFIX-$QV_WINE_VERSION ;;
    *) echo "QV_WINE_VERSION must be win98, win2k or winxp, not $QV_WINE_VERSION" >&2; exit 2 ;;
esac
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ "$QV_RUN_ARCH" = i686 ]; then
    export WINEARCH=win32
    QV_WINE=/usr/lib/wine/wine
else
    export WINEARCH=win64
    export WINELOADER=/usr/lib/wine/wine64
    QV_WINE=/usr/lib/wine/wine64
fi
# Code page 932, as on a Japanese system (1252 for the Western prefix).
if [ "${QV_WINE_LOCALE:-}" = western ]; then
    export LANG=C.UTF-8
else
    export LANG=ja_JP.UTF-8
fi
unset LC_ALL

# Marks a finished prefix; its name changes whenever the prefix's set-up does, so older prefixes are made anew.
QV_PREFIX_MARKER=.quorvane-ready-2

cross_prefix() { echo "$QV_DEPS/$1-w64-mingw32"; }

# Compiler results are cached in the user's home, so a fresh clone on the same machine builds in seconds.
# Paths are taken relative to the source folder, so the cache serves clones in other folders too.
if command -v ccache >/dev/null 2>&1 && [ -z "${QV_NO_CCACHE:-}" ]; then
    export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/ccache}
    export CCACHE_BASEDIR=$QV_SOURCE
    export CCACHE_NOHASHDIR=true
    export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
    export CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-5G}
    QV_LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
else
    QV_LAUNCHER=()
fi

configure_tree() { # directory name, extra cmake arguments...
    local dir=$QV_BUILD/$1; shift
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$QV_SOURCE" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${QV_LAUNCHER[@]}" "$@" >/dev/null
    fi
}

# The sanitizer tree is for finding faults, not for speed: -O1 keeps the sanitizers' reports exact and
# compiles in half the time of -O2.
configure_native() { configure_tree native -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g"; }
# The fuzz targets (fuzz/): clang's libFuzzer with the sanitizers, in a tree of their own.
configure_fuzz() {
    local dir=$QV_BUILD/fuzz
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$QV_SOURCE/fuzz" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${QV_LAUNCHER[@]}" \
            -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
    fi
}
# The end-to-end scenarios are spread over this many Wine sessions running side by side: they spend most
# of their time waiting for the program, so more sessions than cores still pay.
QV_E2E_SHARDS=${QV_E2E_SHARDS:-4}

configure_windows() { # arch
    configure_tree "win-$1" -DQV_E2E_SHARDS="$QV_E2E_SHARDS" -DCMAKE_TOOLCHAIN_FILE="$QV_SOURCE/cmake/mingw.cmake" -DQV_WIN_ARCH="$1" \
        -DQV_CROSS_PREFIX="$(cross_prefix "$1")" -DQV_BUILD_ROOT="$QV_BUILD"
}

# The program as released: a tree of its own beside the test tree (which keeps its debug information), built
# for size. Each function and datum in a section of its own lets the linker drop what nothing calls. -Os
# costs nothing a user could notice (bench/ under Wine: painting the whole window takes about 59 us instead of
# 49, once a refresh; an optimization run stays within its target, its time being the memory's).
# The linker strips the symbols and writes no time stamp, so the same sources give the same file.
# libjpeg-turbo is built the same way for it, from the source in build/deps (it then leaves out most of its
# encoder), and without its SIMD code: the program decodes one picture when a design or skin is chosen, and
# the SIMD routines (encoder ones included, which the dispatcher keeps) weigh about 180 KB.
# Only the target Quorvane is built in the tree, with the compilers of the win32 thread model: their runtime
# imports only what Windows 98 and 2000 have (the program starts no threads; the test trees need the posix
# model for GoogleTest). libjpeg is C and uses no threads: either compiler gives the same library.
QV_RELEASE_TREE=win-i686-release
QV_RELEASE_FLAGS="-Os -DNDEBUG -ffunction-sections -fdata-sections"
configure_release() {
    local jpeg=$QV_BUILD/$QV_RELEASE_TREE-jpeg
    if [ ! -f "$jpeg/install/lib/libjpeg.a" ]; then
        local source
        source=$(ls -d "$QV_DEPS"/src/libjpeg-turbo-*/ | head -n 1)
        cmake -S "$source" -B "$jpeg" -G Ninja -Wno-dev -DCMAKE_TOOLCHAIN_FILE="$QV_SOURCE/cmake/mingw.cmake" \
            -DQV_WIN_ARCH=i686 "${QV_LAUNCHER[@]}" -DCMAKE_BUILD_TYPE=MinSizeRel \
            -DCMAKE_C_FLAGS_MINSIZEREL="$QV_RELEASE_FLAGS" -DCMAKE_INSTALL_PREFIX="$jpeg/install" \
            -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF >/dev/null
        cmake --build "$jpeg" -j "$QV_JOBS" >/dev/null
        cmake --install "$jpeg" >/dev/null
    fi
    # A tree configured with the posix compilers (before the release took the win32 ones) starts again.
    grep -qs '^QV_THREAD_MODEL:STRING=win32$' "$QV_BUILD/$QV_RELEASE_TREE/CMakeCache.txt" || rm -rf "${QV_BUILD:?}/$QV_RELEASE_TREE"
    configure_tree "$QV_RELEASE_TREE" -DCMAKE_BUILD_TYPE=MinSizeRel -DCMAKE_TOOLCHAIN_FILE="$QV_SOURCE/cmake/mingw.cmake" \
        -DQV_WIN_ARCH=i686 -DQV_THREAD_MODEL=win32 -DQV_CROSS_PREFIX="$(cross_prefix i686)" -DQV_BUILD_ROOT="$QV_BUILD" \
        -DCMAKE_C_FLAGS_MINSIZEREL="$QV_RELEASE_FLAGS" -DCMAKE_CXX_FLAGS_MINSIZEREL="$QV_RELEASE_FLAGS" \
        -DCMAKE_EXE_LINKER_FLAGS="-Wl,--gc-sections -Wl,--no-insert-timestamp -s" \
        -DJPEG_INCLUDE_DIR="$jpeg/install/include" -DJPEG_LIBRARY_RELEASE="$jpeg/install/lib/libjpeg.a"
}

build_tree() { # directory name, targets...
    local dir=$QV_BUILD/$1; shift
    cmake --build "$dir" -j "$QV_JOBS" ${1:+--target "$@"}
}

# A private virtual display: sets DISPLAY and QV_XVFB_PID.
start_xvfb() {
    local fifo number
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    QV_XVFB_PID=$!
    read -r number <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$number"
}

# For a script that runs Windows programs: a private display and one wineserver kept for the whole script
# (each program start is then cheap); both end when the script does.
start_private_wine_session() {
    trap end_private_wine_session EXIT
    start_xvfb
    wineserver -p300 2>/dev/null || true
}
end_private_wine_session() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "${QV_XVFB_PID:-}" ] && kill "$QV_XVFB_PID" 2>/dev/null || true
}

# The Windows trees this host builds: the program as shipped (i686), and the one it can run when that differs.
windows_archs() {
    echo i686
    [ "$QV_RUN_ARCH" = i686 ] || echo "$QV_RUN_ARCH"
}
