#!/bin/bash
# Installs what is missing, builds the game and starts it from build/bin.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUELMORA_TESTS=OFF -DQUELMORA_BENCH=OFF
cmake --build build --target quelmora -j"$(nproc)"
cd build/bin
exec ./quelmora
