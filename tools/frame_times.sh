#!/usr/bin/env bash
# Frame-time figures: twelve computer cars on the largest shipped track (grand_valley) in a
# hidden window with the software renderer, over a minute of racing:
# median, 99th percentile and worst of updateRace, drawRace and the whole frame (update, draw,
# rendering and present), each as wall-clock time and as this thread's processor time. Then the
# set-up of that race and the painting of the track's background.
#   tools/frame_times.sh
# On a shared machine the wall-clock figures include time other processes had the core; the
# processor-time figures ("_cpu_") are the game's own work.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-bench
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVANE_BENCH=ON >/dev/null
nice -n 10 cmake --build "$build" --target bench_frames bench_background -j"$(nproc)"

echo "== machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')"
echo "== load average: $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/bench/bench_frames" --benchmark_counters_tabular=true
"$build/bench/bench_background" --benchmark_filter=BM_WholeGeneration
