#!/usr/bin/env bash
# A half-hour race (simulated time) of twelve computer cars under AddressSanitizer with leak
# checking, updated and drawn every frame in a hidden window: no crash, no leak, and resident
# memory at the end no more than a little above what it was after the first minute.
# Prints the resident and peak memory after every simulated minute.
#   tools/soak.sh            30 simulated minutes (about 40-90 minutes of wall-clock time)
#   tools/soak.sh 5          5 simulated minutes
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-30}
build=build-soak
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy

# Optimised, so the half hour ends the same day; the sanitizers work the same.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVANE_SANITIZE=ON \
      -DKELVANE_BENCH=OFF >/dev/null
nice -n 10 cmake --build "$build" --target test_hardening -j"$(nproc)"

# A small quarantine keeps the sanitizer's own memory from looking like growth.
ASAN_OPTIONS=detect_leaks=1:quarantine_size_mb=16 UBSAN_OPTIONS=print_stacktrace=1 \
LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp KELVANE_SOAK_MINUTES=$minutes \
  nice -n 10 "$build/tests/test_hardening" --gtest_also_run_disabled_tests \
  --gtest_filter='SoakTest.*'
