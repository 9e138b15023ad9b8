#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the normal build, and a build with
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
jobs=$(nproc)
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
# The tests never see the tester's own settings, tracks or pictures.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data XDG_PICTURES_DIR=$scratch/pictures

echo "== formatting (.clang-format)"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

echo "== normal build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVANE_WERROR=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== the whole suite once more in one process, in a random order"
# ctest runs each test alone; one process in a shuffled order shows a test that depends on
# what an earlier one left behind.
(cd build && tests/kelvane_tests --gtest_shuffle --gtest_brief=1 --gtest_filter='-Install.*')

echo "== install into a temporary prefix, and the Debian package"
KELVANE_INSTALL_TEST=deb ctest --test-dir build -R '^Install\.' --output-on-failure

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKELVANE_SANITIZE=ON -DKELVANE_BENCH=OFF -DKELVANE_GENERATE_BACKGROUNDS=OFF \
      -DKELVANE_WERROR=ON >/dev/null
cmake --build build-asan --target kelvane kelvane_tests -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== short fuzz run (libFuzzer, AddressSanitizer + UndefinedBehaviorSanitizer)"
tools/fuzz.sh
