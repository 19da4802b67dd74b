#!/usr/bin/env bash
# Starts the real program in a virtual X display, makes one bone-weight reading with the
# keyboard and mouse, and saves a screenshot: the by-hand check, repeatable. Optional: CI runs the
# offscreen widget tests instead. Needs xvfb, xdotool, imagemagick; openbox and wmctrl for a frame.
#   tools/xvfb-check.sh [program] [screenshot.png]
set -euo pipefail
program=${1:-build/dev/app/lorvex2004}
shot=${2:-xvfb-check.png}
display=:${XVFB_DISPLAY:-57}

Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
if command -v openbox >/dev/null; then
    openbox >/dev/null 2>&1 &
    sleep 1
fi

"$program" >/dev/null 2>&1 &
app=$!
window=
for _ in $(seq 50); do
    window=$(xdotool search --onlyvisible --name '^Lorvex 2004$' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || { echo "no window appeared" >&2; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "window $WIDTH x $HEIGHT"

# The five lists sit in a row inside " 出生资料 ", below the menu bar and the tab row; type into
# each and press Enter. Positions are relative to the window's client area.
row=$((HEIGHT - 441 + 21 + 8 + 24 + 10))
for field in "300 1990" "373 1" "433 1" "493 0" "543 00"; do
    set -- $field
    xdotool mousemove --window "$window" "$1" "$row" click --repeat 3 1
    xdotool key ctrl+a
    xdotool type "$2"
done
xdotool key Return
sleep 0.5
import -window root "$shot"
echo "screenshot: $shot"

if command -v wmctrl >/dev/null; then
    wmctrl -c 'Lorvex 2004'
    wait "$app" && echo "exit code 0"
else
    kill "$app"
fi
