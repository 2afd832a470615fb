#!/usr/bin/env bash
# The project's private 32-bit Wine prefix inside the build folder: Japanese locale (code page 932) and
# font substitutes so that the program's Japanese font names resolve to installed fonts.
set -euo pipefail
source "$(dirname "$0")/common.sh"

marker=$WINEPREFIX/.quorvane-ready
[ -f "$marker" ] && exit 0

log "creating the Wine prefix $WINEPREFIX"
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
"$QV_WINE" wineboot >/dev/null 2>&1 || true
wineserver -w

subst='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
for face in 'ＭＳ Ｐゴシック' 'ＭＳ ゴシック' 'MS PGothic' 'MS Gothic' 'MS UI Gothic'; do
    "$QV_WINE" reg add "$subst" /v "$face" /t REG_SZ /d 'Noto Sans CJK JP' /f >/dev/null 2>&1
done
for face in 'ＭＳ 明朝' 'ＭＳ Ｐ明朝' 'MS Mincho' 'MS PMincho'; do
    "$QV_WINE" reg add "$subst" /v "$face" /t REG_SZ /d 'Noto Serif CJK JP' /f >/dev/null 2>&1
done
"$QV_WINE" reg add "$subst" /v 'MS Sans Serif' /t REG_SZ /d 'Noto Sans CJK JP' /f >/dev/null 2>&1
# No crash dialog: a failing test program must end, not wait for a click.
"$QV_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wineserver -w
touch "$marker"
