#!/bin/bash
# CPU use of the idle game over 10 s, in per cent of one core: once standing still, once
# while the idle rotation turns the view. Needs a display (Xvfb).
set -eu
game=${1:-build/bin/quelmora}
work=$(mktemp -d)
cp "$game" "$work/quelmora"
trap 'kill $pid 2>/dev/null; rm -rf "$work"' EXIT
measure() {
    printf '[QuelmoraSettings]\r\nUpdateTopList=0\r\nPlayerIdleTimeout=%s\r\n' "$2" > "$work/quelmora.ini"
    "$work/quelmora" & pid=$!
    sleep "$3"
    ticks() { awk '{print $14 + $15}' /proc/$pid/stat; }
    t0=$(ticks); sleep 10; t1=$(ticks)
    kill $pid; wait $pid || true
    hz=$(getconf CLK_TCK)
    awk -v d=$((t1 - t0)) -v hz="$hz" -v what="$1" \
        'BEGIN { printf "%s: %.2f%% of one core over 10 s\n", what, 100 * d / hz / 10 }'
}
measure "idle CPU, still" 0 3
measure "idle CPU, rotating" 5000 6
