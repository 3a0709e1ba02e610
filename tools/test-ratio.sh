#!/bin/bash
# Test lines against product lines: the .cpp and .h files under tests/ against those of the
# six libraries. Fails above the project's limit of 0.40.
set -euo pipefail
cd "$(dirname "$0")/.."
count() { find "$@" \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 cat | wc -l; }
tests=$(count tests)
product=$(count app cube render net dialogs server)
awk -v t="$tests" -v p="$product" 'BEGIN {
    printf "test lines %d, product lines %d, ratio %.3f\n", t, p, t / p
    exit (t > 0.40 * p)
}'
