#!/usr/bin/env bash
# Starts the program as a native Wayland client under a headless Weston and proves that its
# window came up and that it answers the compositor: it names its toplevel "Lorvex 2004",
# acknowledges the compositor's configure, puts its first frame on the screen (the program's own
# LORVEX_FIRST_FRAME hook), goes on drawing frames in answer to the compositor's frame callbacks,
# and is still running after a few seconds. No X display is offered, so nothing can fall back to
# X11. Exit 77 (skipped) without weston.
#   tests/wayland-check.sh PROGRAM
set -uo pipefail
program=${1:?usage: wayland-check.sh PROGRAM}
command -v weston >/dev/null || { echo "wayland-check: weston is not installed" >&2; exit 77; }

runtime=$(mktemp -d)
chmod 700 "$runtime"
log=$runtime/client.log
socket=lorvex-check-$$
weston_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$runtime"
}
trap cleanup EXIT

# Weston 10 (Debian 12) names the backend by its module; later versions also take "headless".
# Weston keeps the real clock when the suite runs under faketime: its frame callbacks stall on a
# faked one. Only the program is tested on the faked day.
for backend in headless-backend.so headless; do
    env -u LD_PRELOAD -u FAKETIME XDG_RUNTIME_DIR="$runtime" \
        weston --backend="$backend" --socket="$socket" --idle-time=0 \
        >"$runtime/weston.log" 2>&1 &
    weston_pid=$!
    for _ in $(seq 50); do
        [ -S "$runtime/$socket" ] && break
        kill -0 "$weston_pid" 2>/dev/null || break
        sleep 0.1
    done
    [ -S "$runtime/$socket" ] && break
    weston_pid=
done
[ -n "$weston_pid" ] || { echo "wayland-check: weston did not start" >&2; cat "$runtime/weston.log" >&2; exit 1; }

env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland \
    WAYLAND_DEBUG=client LORVEX_FIRST_FRAME=1 "$program" >"$log" 2>&1 &
app_pid=$!
for _ in $(seq 150); do
    grep -aq '^first-frame ' "$log" && break
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
sleep 3

fail() {
    echo "wayland-check: $1" >&2
    grep -av '^\[' "$log" | tail -n 20 >&2
    exit 1
}
kill -0 "$app_pid" 2>/dev/null || fail "the program ended"
grep -aq 'xdg_toplevel@[0-9]*\.set_title("Lorvex 2004")' "$log" || fail "no toplevel named Lorvex 2004"
grep -aq -- '-> xdg_surface@[0-9]*\.ack_configure' "$log" || fail "the configure was not acknowledged"
grep -aq '^first-frame ' "$log" || fail "no first frame on the screen"
# Frames drawn after the first, each in answer to a frame callback the compositor sent.
later=$(sed -n '/^first-frame /,$p' "$log" | grep -ac -- '-> wl_surface@[0-9]*\.commit()')
callbacks=$(grep -ac 'wl_callback@[0-9]*\.done' "$log")
[ "$later" -ge 3 ] && [ "$callbacks" -ge 3 ] ||
    fail "no frames after the first ($later commits, $callbacks frame callbacks)"
echo "wayland-check: window up under Weston; $later frames committed after the first," \
    "$callbacks frame callbacks answered; still running"
