#!/usr/bin/env bash
# Installs what building, running and testing Quorvane needs, from Debian packages only.
# Idempotent: a machine that has everything returns at once.
set -euo pipefail

packages=(g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32 mingw-w64-i686-dev g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
          wine wine32:i386 wine64 xvfb xauth x11-utils
          imagemagick fonts-noto-cjk fonts-ipafont-gothic fonts-ipafont-mincho locales nasm ninja-build cmake googletest libgtest-dev xdotool
          dpkg-dev g++ make ccache clang-14 libclang-rt-14-dev zip libz-mingw-w64-dev libjpeg62-turbo-dev)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

need_root() {
    if [ "$(id -u)" -ne 0 ]; then
        echo "setup: root is needed to install: $*" >&2
        exit 1
    fi
}

if [ ${#missing[@]} -gt 0 ]; then
    need_root "${missing[*]}"
    echo "setup: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    # Source entries, so that libjpeg-turbo's source package can be fetched.
    if ! grep -rqs '^Types: deb-src' /etc/apt/sources.list.d/ && [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
            > /etc/apt/sources.list.d/debian-src.sources
    fi
    # A mirror caught mid-sync fails one list or another; the others (or the lists already here) still
    # serve, and a package that is really missing fails the install below.
    apt-get update -qq || echo "setup: some package lists could not be fetched; going on with the others" >&2
    if ! apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
        # With a list missing (a mirror mid-sync), apt's resolver can fail on the whole set where each
        # package alone installs: the i386 libraries then have to match versions of the release itself.
        echo "setup: installing one package at a time" >&2
        release=$(. /etc/os-release && echo "$VERSION_CODENAME")
        for p in "${missing[@]}"; do
            apt-get install -y -qq --no-install-recommends -t "$release" "$p" >/dev/null
        done
    fi
fi

# The Japanese locale gives Wine the code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
    need_root "the ja_JP.UTF-8 locale"
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi
