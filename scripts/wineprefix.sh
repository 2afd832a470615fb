#!/usr/bin/env bash
# The project's private 32-bit Wine prefix inside the build folder: Japanese locale (code page 932) and
# font substitutes so that the program's Japanese font names resolve to installed fonts.
set -euo pipefail
source "$(dirname "$0")/common.sh"

marker=$WINEPREFIX/$QV_PREFIX_MARKER
[ -f "$marker" ] && exit 0

log "creating the Wine prefix $WINEPREFIX"
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
"$QV_WINE" wineboot >/dev/null 2>&1 || true
wineserver -w

# The IPA fonts are drawn to the metrics of the Japanese system fonts: text takes the room it takes there
# (Noto's taller line would let the gauges cut the captions' descenders).
subst='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
add_substitute() { "$QV_WINE" reg add "$subst" /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1; }
for face in 'ＭＳ Ｐゴシック' 'MS PGothic' 'MS UI Gothic'; do add_substitute "$face" 'IPAPGothic'; done
for face in 'ＭＳ ゴシック' 'MS Gothic'; do add_substitute "$face" 'IPAGothic'; done
for face in 'ＭＳ Ｐ明朝' 'MS PMincho'; do add_substitute "$face" 'IPAPMincho'; done
for face in 'ＭＳ 明朝' 'MS Mincho'; do add_substitute "$face" 'IPAMincho'; done
add_substitute 'MS Sans Serif' 'Noto Sans CJK JP'
# A scaled display: the system's pixels an inch, where Wine and Windows keep them.
if [ -n "${QV_WINE_DPI:-}" ] && [ "$QV_WINE_DPI" != 96 ]; then
    for key in 'HKCU\Control Panel\Desktop' 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
        "$QV_WINE" reg add "$key" /v LogPixels /t REG_DWORD /d "$QV_WINE_DPI" /f >/dev/null 2>&1
    done
fi
# The Windows version the prefix reports.
if [ -n "${QV_WINE_VERSION:-}" ]; then
    "$QV_WINE" reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d "$QV_WINE_VERSION" /f >/dev/null 2>&1
fi
# No crash dialog: a failing test program must end, not wait for a click.
"$QV_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wineserver -w
touch "$marker"
