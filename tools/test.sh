#!/bin/bash
# Installs what is missing, then builds and runs every test twice: a -Werror build, and a
# build under AddressSanitizer and UndefinedBehaviorSanitizer. GL tests run under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh
jobs=$(nproc)
# Tests stay at most 0.40 of the product code.
tools/test-ratio.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUELMORA_WERROR=ON
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure)

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUELMORA_WERROR=ON -DQUELMORA_SANITIZE=ON \
    -DQUELMORA_BENCH=OFF
cmake --build build-asan -j"$jobs"
(cd build-asan && ctest --output-on-failure)
