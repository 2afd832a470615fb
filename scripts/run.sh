#!/usr/bin/env bash
# Command 1: installs what is missing, builds Quorvane and runs it under Wine in the project's prefix,
# from $QV_BUILD/app/ (its INI file appears beside it). With a display ($DISPLAY) the program starts
# there in the background; without one it starts on a private virtual display and leaves a screenshot.
# Usage: run.sh           start it (when it already runs this build, only say where)
#        run.sh --stop    end it, its wineserver and the private display
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"

app=$QV_BUILD/app
state=$QV_BUILD/run.state  # one line: program PID, private Xvfb PID (or -), display
shot=$QV_BUILD/screenshots/quorvane.png

alive() { [ "${1:--}" != - ] && kill -0 "$1" 2>/dev/null; }

stop() {
    [ -f "$state" ] || return 0
    local program xvfb display
    read -r program xvfb display <"$state"
    if alive "$program"; then
        # Ending the session lets the program save its window position and end by itself.
        DISPLAY=$display timeout 30 "$QV_WINE" wineboot --end-session >/dev/null 2>&1 || true
        for _ in $(seq 50); do alive "$program" || break; sleep 0.2; done
    fi
    wineserver -k 2>/dev/null || true
    if alive "$xvfb"; then kill "$xvfb"; fi
    rm -f "$state"
    echo "run: stopped"
}

case "${1:-}" in
    --stop)
        [ -f "$state" ] || echo "run: nothing that run.sh started is running"
        stop
        exit 0 ;;
    "") ;;
    *) echo "usage: $0 [--stop]" >&2; exit 2 ;;
esac

"$here/setup.sh"
mapfile -t archs < <(windows_archs)
"$here/deps.sh" "${archs[@]}"
for arch in "${archs[@]}"; do
    configure_windows "$arch"
    build_tree "win-$arch" Quorvane
done
"$here/wineprefix.sh"

built=$QV_BUILD/win-$QV_RUN_ARCH/src/Quorvane.exe
if [ -f "$state" ]; then
    read -r program _ display <"$state"
    if alive "$program" && cmp -s "$built" "$app/Quorvane.exe"; then
        echo "run: Quorvane already runs this build on display $display (PID $program); stop it with: $0 --stop"
        exit 0
    fi
    stop  # an older build, or what an ended run left
fi
mkdir -p "$app"
cmp -s "$built" "$app/Quorvane.exe" || cp "$built" "$app/Quorvane.exe"
# The help pages and the skins ship beside the program (skins of the user's own in $app/skin stay).
rm -rf "$app/help" && cp -r "$(dirname "$built")/help" "$app/help"
mkdir -p "$app/skin" && cp -r "$(dirname "$built")/skin/." "$app/skin/"

xvfb=-
if [ -z "${DISPLAY:-}" ]; then
    start_xvfb
    xvfb=$QV_XVFB_PID
fi
# Detached, with its output in a file: Wine's helper processes would otherwise hold the caller's terminal.
(cd "$app" && exec setsid "$QV_WINE" "$app/Quorvane.exe" >"$app/wine.log" 2>&1 </dev/null) &
program=$!
echo "$program $xvfb $DISPLAY" >"$state"

timeout 30 xdotool search --sync --name '^Quorvane$' >/dev/null 2>&1 || true
sleep 3  # the first paint and a refresh of the figures (every 2 s)
if ! alive "$program"; then
    echo "run: Quorvane ended at once (does another copy run in this Wine prefix?); see $app/wine.log" >&2
    stop >/dev/null
    exit 1
fi
echo "run: Quorvane runs on display $DISPLAY (PID $program), from $app"
if [ "$xvfb" != - ]; then
    mkdir -p "$(dirname "$shot")"
    import -window root "$shot"
    echo "run: private virtual display $DISPLAY; screenshot: $shot"
fi
echo "run: stop it with: $0 --stop"
