#!/usr/bin/env bash
# Proof that the installed program works as a user meets it: starts it in a virtual X display
# under strace, clicks through every tab and turns a page of every catalogue, saves a screenshot
# after each step, then closes the window. Fails if the program opened any file for writing or
# did not end with exit code 0. Not run by CI (it needs the program installed and takes about a
# minute); run it after installing the .deb:
#   tests/proof.sh [screenshot folder] [program]
#   LORVEX_PROOF_SCALE=2 tests/proof.sh proof-200     (the same on a screen that reports 192 dpi)
# The program is the command of the installed menu entry unless given. Needs xvfb xdotool
# imagemagick openbox wmctrl strace, and x11-xserver-utils for the scaled run.
set -euo pipefail
out=${1:-proof}
program=${2:-$(sed -n 's/^Exec=//p' /usr/share/applications/net.lorvex.Lorvex2004.desktop)}
# The data files must come from the executable's own folder, whatever the working folder is.
folder=$(dirname "$(readlink -f "$(command -v "$program")")")
display=:${XVFB_DISPLAY:-58}
# 1, or 2 for a screen of 192 dpi: what the desktop tells its programs through Xft.dpi.
scale=${LORVEX_PROOF_SCALE:-1}
mkdir -p "$out"
out=$(cd "$out" && pwd)
rm -f "$out"/*.png "$out/opens.log"

Xvfb "$display" -screen 0 $((1024 * scale))x$((768 * scale))x24 -dpi $((96 * scale)) -noreset \
    -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
wm=
cleanup() {
    [ -n "$wm" ] && kill "$wm" 2>/dev/null
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
sleep 1
if [ "$scale" != 1 ]; then
    echo "Xft.dpi: $((96 * scale))" | xrdb -nocpp -merge
fi
openbox >/dev/null 2>&1 &
wm=$!
sleep 1

# Every file the program and its threads open, with the flags.
cd "$(mktemp -d)"
strace -f -qq -e trace=openat,open,creat -o "$out/opens.log" "$program" >"$out/program.log" 2>&1 &
app=$!

window=
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Lorvex 2004$' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || { echo "proof: no window appeared" >&2; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "proof: window $WIDTH x $HEIGHT at $X,$Y"
if [ "$WIDTH" -ne $((633 * scale)) ]; then
    echo "proof: the window is $WIDTH wide, not $((633 * scale))" >&2
    exit 1
fi

# The client area is 633 x 441 below the menu bar; everything below is placed from its top left,
# in the program's own pixels.
top=$((HEIGHT - 441 * scale))
shot=0
snap() {
    sleep 0.6
    shot=$((shot + 1))
    import -window "$window" "$(printf '%s/%02d-%s.png' "$out" "$shot" "$1")"
}
click() { xdotool mousemove --window "$window" $(($1 * scale)) $((top + $2 * scale)) click 1; }

# A tab page's top left in the client: below the main tab row and inside the page frame.
page_x=4
page_y=27
# The south tab rows of the palm and mole tab sets: PageControl2/3 stand at (0, -8, 633, 417)
# in their page, so their tabs lie along its foot.
south_y=$((page_y - 8 + 417 - 11))
# A catalogue button: `next` of the table, inside its frame (a frame's content starts 4 px in
# and below its caption) or straight on the page.
in_frame() { click $((page_x + $1 + $3 + 2)) $((page_y + $2 + $4 + 2)); }
on_page() { click $((page_x + $1)) $((page_y + $2)); }

snap start

# The palm tab and its seven pages: the introduction, then the six topics; on each topic turn
# to the second page and pick its first picture (grid cell at (3, 24) in the frame).
click 155 12
snap palm-intro
palm_tabs=(108 197 285 373 461 561)
for i in "${!palm_tabs[@]}"; do
    click "${palm_tabs[$i]}" "$south_y"
    in_frame 4 8 $((312 + 37)) $((336 + 12))
    in_frame 4 8 $((3 + 50)) $((24 + 70))
    snap "palm-topic$((i + 1))"
done

# The mole tab: face moles (15 a page, `next` in the frame), then body moles (6 a page, `next`
# on the page).
click 230 12
click 40 "$south_y"
in_frame 4 8 $((270 + 37)) $((331 + 12))
in_frame 4 8 $((3 + 35)) $((24 + 46))
snap mole-face
click 115 "$south_y"
on_page $((536 + 37)) $((352 + 12))
in_frame 4 8 $((3 + 60)) $((16 + 88))
snap mole-body

# Back to the bone-weight tab.
click 60 12
snap boneweight

wmctrl -c 'Lorvex 2004'
status=0
wait "$app" || status=$?
echo "proof: exit code $status"

# Opens for writing or creating. /dev (the X and DRM devices, /dev/null) is no file.
written=$(grep -E 'O_WRONLY|O_RDWR|O_CREAT|creat\(' "$out/opens.log" \
    | grep -vE '"/dev/' || true)
if [ -n "$written" ]; then
    echo "proof: opened for writing:" >&2
    echo "$written" >&2
    status=1
fi
for data in rili.swf sxjj.txt; do
    if ! grep -qE "\"$folder/$data\", O_RDONLY.*= [0-9]+$" "$out/opens.log"; then
        echo "proof: $data was not read from $folder" >&2
        status=1
    fi
done
echo "proof: $(grep -c 'open' "$out/opens.log") opens, screenshots in $out"
exit "$status"
