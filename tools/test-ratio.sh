#!/bin/bash
# Test lines against product lines: the .cpp and .h files under tests/ against those of every
# other folder but bench, tools, packaging and resources. Fails above the project's limit of 0.40.
set -euo pipefail
cd "$(dirname "$0")/.."
lines() { tr '\n' '\0' | xargs -0 cat | wc -l; }
files=$(git ls-files -- '*.cpp' '*.h')
tests=$(grep -E '^tests/' <<<"$files" | lines)
product=$(grep -v -E '^(tests|bench|tools|packaging|resources)/' <<<"$files" | lines)
awk -v t="$tests" -v p="$product" 'BEGIN {
    printf "test lines %d, product lines %d, ratio %.3f\n", t, p, t / p
    exit (t > 0.40 * p)
}'
