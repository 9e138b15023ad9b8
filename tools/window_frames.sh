#!/usr/bin/env bash
# Frame costs in a real window: twelve computer cars on the largest shipped track, paced at 60
# frames per second in an X window on a virtual display (Xvfb), for N frames after the
# countdown. Prints the game's processor time per frame split into update, drawing, rendering
# and present (median, 99th percentile, worst; renderer threads included), the share of one
# core the game took, and the share the X server took to show its frames (x_server_cpu_percent).
#   tools/window_frames.sh [frames] [display number]
# SDL_RENDER_DRIVER=software|opengl|opengles2 picks the renderer (the game's choice otherwise).
set -euo pipefail
cd "$(dirname "$0")/.."
frames=${1:-600}
display=:${2:-65}
build=${KELVANE_BENCH_BUILD:-build-bench}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVANE_BENCH=ON >/dev/null
nice -n 10 cmake --build "$build" --target bench_frames -j2 >/dev/null

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  [ -e "/tmp/.X11-unix/X${display#:}" ] && break
  sleep 0.1
done

echo "== machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')"
echo "== load average: $(cut -d' ' -f1-3 /proc/loadavg)"
DISPLAY=$display SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy KELVANE_WINDOW_FRAMES=$frames KELVANE_X_SERVER_PID=$xvfb \
  "$build/bench/bench_frames" --benchmark_filter=BM_WindowRaceFrames \
  --benchmark_counters_tabular=true
