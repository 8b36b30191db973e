#!/usr/bin/env bash
# Installs what is missing, builds the program and the script library, and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNEKTARU_TESTS=OFF
cmake --build build -j"$(nproc)"
cd Bin
exec ./Nektaru "$@"
