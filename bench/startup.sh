#!/usr/bin/env bash
# Start-up against the floor in a virtual X display: builds the program and the floor in the
# bench preset (Release) and runs bench/startup.py on them. Needs xvfb. Usage:
#   bench/startup.sh [runs] [--plain]   (the display is :71, or :$LORVEX_BENCH_DISPLAY; --plain
#                                        measures against a bare Qt window in the desktop's font)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-20}
shift || true

cmake --preset bench >/dev/null
cmake --build --preset bench --target lorvex2004 startup_floor -j2

display=:${LORVEX_BENCH_DISPLAY:-71}
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
sleep 1
if ! kill -0 "$xvfb" 2>/dev/null; then
    echo "Xvfb could not start on $display (taken? set LORVEX_BENCH_DISPLAY)" >&2
    exit 1
fi
DISPLAY=$display python3 bench/startup.py --runs "$runs" "$@" \
    build/bench/bench/startup_floor build/bench/app/lorvex2004
