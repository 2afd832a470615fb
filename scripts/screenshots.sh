#!/usr/bin/env bash
# Takes the README's pictures of the skins that ship: each skin in force in a copy of the program on a
# private virtual display, the window cut out along its shape. Writes docs/skin-<name>.png.
# Usage: screenshots.sh        (not while scripts/run.sh keeps the program running in the same prefix)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
source "$here/common.sh"
"$here/deps.sh" i686
configure_windows i686
build_tree win-i686 Quorvane
"$here/wineprefix.sh"
if [ -f "$QV_BUILD/run.state" ]; then
    echo "screenshots: scripts/run.sh has the program running; stop it first: scripts/run.sh --stop" >&2
    exit 1
fi

built=$QV_BUILD/win-i686/src
work=$QV_BUILD/screenshots/skins
rm -rf "$work"
mkdir -p "$work" "$QV_SOURCE/docs"
start_private_wine_session

left=40 top=40
for folder in "$built"/skin/*/; do
    name=$(basename "$folder")
    app=$work/$name
    mkdir -p "$app/skin"
    cp "$built/Quorvane.exe" "$app/"
    cp -r "$folder" "$app/skin/$name"
    description=$(cd "$app/skin/$name" && ls ./*.qvs | head -n 1)
    windows_path=$(winepath -w "$app/skin/$name/${description#./}")
    printf '[Window]\r\nFormLeft=%d\r\nFormTop=%d\r\n[Design]\r\nSkinFileName=%s\r\n' "$left" "$top" "$windows_path" \
        | iconv -f UTF-8 -t CP932 >"$app/Quorvane.ini"
    (cd "$app" && exec setsid "$QV_WINE" "$app/Quorvane.exe" >"$app/wine.log" 2>&1 </dev/null) &
    program=$!
    timeout 30 xdotool search --sync --name '^Quorvane$' >/dev/null 2>&1 || true
    sleep 5  # the skin, the first refreshes of the figures
    # The window is the picture and a one-pixel frame; the picture's pixel (x, y) lies at (x - 1, y + 1) of it.
    size=$(identify -format "%w %h" "$app/skin/$name/back.bmp")
    read -r width height <<<"$size"
    import -window root -crop "$((width + 2))x$((height + 2))+$left+$top" +repage "$work/$name-window.png"
    convert -size "$((width + 2))x$((height + 2))" xc:black \
        \( "$app/skin/$name/back.bmp" -fill black -opaque '#FF00FF' -fill white +opaque black \) \
        -geometry -1+1 -composite "$work/$name-mask.png"
    convert "$work/$name-window.png" "$work/$name-mask.png" -alpha off -compose CopyOpacity -composite \
        "$QV_SOURCE/docs/skin-${name,,}.png"
    echo "screenshots: docs/skin-${name,,}.png"
    kill "$program" 2>/dev/null || true
    wineserver -k >/dev/null 2>&1 || true
    wineserver -p300 2>/dev/null || true
    wait "$program" 2>/dev/null || true
done
