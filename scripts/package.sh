#!/usr/bin/env bash
# Makes the release package build/Quorvane-<version>-win32.zip: the program built for size in a tree of its
# own (build/win-i686-release), the help, the skins, a Readme.txt for Japanese Windows and the licences of
# what the program links in. The version is the one of project() in CMakeLists.txt.
# Usage: package.sh        (QV_PACKAGE_SKIP_SETUP=1 skips the package check, as scripts/test.sh does)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ -n "${QV_PACKAGE_SKIP_SETUP:-}" ] || "$here/setup.sh"
source "$here/common.sh"
[ -n "${QV_PACKAGE_SKIP_SETUP:-}" ] || "$here/deps.sh" i686

configure_release
build_tree "$QV_RELEASE_TREE" Quorvane
tree=$QV_BUILD/$QV_RELEASE_TREE
exe=$tree/src/Quorvane.exe
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$tree/CMakeCache.txt")
[ -n "$version" ] || { echo "package: no version in $tree/CMakeCache.txt" >&2; exit 1; }

# The program ships as one file of at most 1 MB (1,000,000 bytes).
size=$(stat -c %s "$exe")
limit=1000000
if [ "$size" -gt "$limit" ]; then
    echo "package: Quorvane.exe is $size bytes, more than $limit" >&2
    exit 1
fi

# It must load on Windows 98 SE, Me, 2000 and XP: each of its imports must be one those systems export,
# and a wide-character one the 95 family implements (not one of its stubs).
imports=$QV_SOURCE/src/app/package/imports
python3 "$QV_SOURCE/tools/check_imports.py" i686-w64-mingw32-objdump "$exe" --wide-95 "$imports/wide-95.txt" "$imports"/win*.txt

name=Quorvane-$version
stage=$QV_BUILD/package/$name
rm -rf "$QV_BUILD/package"
mkdir -p "$stage/licenses/libjpeg-turbo" "$stage/licenses/mingw-w64"
cp "$exe" "$stage/Quorvane.exe"
cp -r "$tree/src/help" "$stage/help"
cp -r "$tree/src/skin" "$stage/skin"

jpeg_source=$(find "$QV_DEPS/src" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
[ -n "$jpeg_source" ] || { echo "package: libjpeg-turbo's source is not in $QV_DEPS/src" >&2; exit 1; }
jpeg_version=${jpeg_source##*/libjpeg-turbo-}

# Text files for Windows: CR LF. Readme.txt in code page 932 (Notepad and the editors of a Japanese Windows
# read a file without a byte order mark in the system's ANSI code page); the licences stay as their authors
# wrote them (ASCII), with CR LF.
python3 - "$QV_SOURCE/src/app/package/Readme.txt" "$stage/Readme.txt" "$version" "$jpeg_version" \
    "$jpeg_source/LICENSE.md" "$stage/licenses/libjpeg-turbo/LICENSE.md" \
    "$jpeg_source/README.ijg" "$stage/licenses/libjpeg-turbo/README.ijg" \
    /usr/share/doc/mingw-w64-i686-dev/copyright "$stage/licenses/mingw-w64/copyright.txt" <<'PY'
import sys
source, target, version, jpeg_version = sys.argv[1:5]
lines = [l for l in open(source, encoding="utf-8").read().splitlines() if not l.startswith("##")]
text = "\r\n".join(lines) + "\r\n"
text = text.replace("@VERSION@", version).replace("@JPEG_VERSION@", jpeg_version)
open(target, "wb").write(text.encode("cp932"))
pairs = sys.argv[5:]
for src, dst in zip(pairs[::2], pairs[1::2]):
    body = open(src, encoding="utf-8").read().splitlines()
    open(dst, "wb").write(("\r\n".join(body) + "\r\n").encode("utf-8"))
PY

zip_file=$QV_BUILD/$name-win32.zip
rm -f "$zip_file"
# Fixed times make the same sources give the same archive.
find "$stage" -exec touch -h -d '2026-01-01 00:00:00' {} +
(cd "$QV_BUILD/package" && find "$name" | LC_ALL=C sort | zip -q -X -D "$zip_file" -@)
echo "package: $zip_file (Quorvane.exe $size bytes)"
