#!/usr/bin/env bash
# A short fuzz run (about a minute in all) of the INI reader with the options store, the track
# loaders with the surface map, and the track files' number reader, under AddressSanitizer and
# UndefinedBehaviorSanitizer. Starts from the seed corpora in fuzz/corpus; what it finds new is
# kept in a scratch folder only. Exits non-zero, with the crashing input saved in
# build-fuzz/findings/, when a target fails.
#   tools/fuzz.sh           about 60 seconds
#   tools/fuzz.sh 600       600 seconds per target (the long run)
set -euo pipefail
cd "$(dirname "$0")/.."
per_target=${1:-}
build=build-fuzz

if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ is needed (Debian packages clang and libclang-rt-14-dev)" >&2
  exit 1
fi
CC=clang CXX=clang++ cmake -S fuzz -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
nice -n 10 cmake --build "$build" -j"$(nproc)"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$build/findings"
status=0
for target in track ini number; do
  case $target in
    track) seconds=${per_target:-25}; max_len=16384 ;;
    ini) seconds=${per_target:-20}; max_len=4096 ;;
    number) seconds=${per_target:-15}; max_len=256 ;;
  esac
  mkdir -p "$scratch/$target"
  echo "== fuzz_$target for ${seconds}s"
  # -close_fd_mask=1: the INI reader's "Failing on char" lines would flood the output.
  if ! nice -n 10 "$build/fuzz_$target" "$scratch/$target" "fuzz/corpus/$target" \
      -max_total_time="$seconds" -max_len="$max_len" -timeout=60 -rss_limit_mb=3072 \
      -close_fd_mask=1 -print_final_stats=1 -artifact_prefix="$build/findings/$target-" \
      2>"$scratch/$target.log"; then
    tail -40 "$scratch/$target.log" >&2
    echo "fuzz_$target FAILED; input saved in $build/findings/" >&2
    status=1
  else
    grep -E "stat::number_of_executed_units|Done [0-9]+ runs" "$scratch/$target.log" || true
  fi
done
exit $status
