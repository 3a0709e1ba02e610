#!/bin/bash
# CPU use of the idle game over 10 s, in per cent of one core. Needs a display (Xvfb).
set -eu
game=${1:-build/bin/quelmora}
work=$(mktemp -d)
cp "$game" "$work/quelmora"
"$work/quelmora" & pid=$!
trap 'kill $pid 2>/dev/null; rm -rf "$work"' EXIT
sleep 3
ticks() { awk '{print $14 + $15}' /proc/$pid/stat; }
t0=$(ticks); sleep 10; t1=$(ticks)
hz=$(getconf CLK_TCK)
awk -v d=$((t1 - t0)) -v hz="$hz" 'BEGIN { printf "idle CPU: %.2f%% of one core over 10 s\n", 100 * d / hz / 10 }'
