#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it. Arguments go to the game.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target kelvane kelvane_backgrounds -j"$(nproc)"
exec build/kelvane "$@"
