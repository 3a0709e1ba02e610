#!/bin/bash
# The attack figures of two score servers, one after the other in one run: an older build
# given as the first argument, then the one built here. Takes about seven minutes.
#   bench/server/attack.sh <older quelmora-server> [build folder]
set -euo pipefail
older=$1
bench=${2:-build}/bin/quelmora_bench_server
for server in "$older" "$(dirname "$bench")/quelmora-server"; do
    echo "== $server"
    QUELMORA_SERVER=$server "$bench" --benchmark_filter=Attack --benchmark_counters_tabular=true \
        2>&1 | grep -E '^(Attack|Benchmark|-)'
done
