#!/bin/bash
# What the idle game costs over 10 s: CPU in per cent of one core, and wake-ups, counted as
# voluntary context switches a second of all its threads. Once with no game and the view
# standing still, once while the idle rotation turns the view. Needs a display (Xvfb):
#   xvfb-run -a bench/idle_cpu.sh [game executable]
set -eu
game=${1:-build/bin/quelmora}
work=$(mktemp -d)
cp "$game" "$work/quelmora"
trap 'kill $pid 2>/dev/null; rm -rf "$work"' EXIT
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
switches() { cat /proc/"$pid"/task/*/status | awk '/^voluntary_ctxt_switches/ {n += $2} END {print n}'; }
measure() {
    printf '[QuelmoraSettings]\r\nUpdateTopList=0\r\nPlayerIdleTimeout=%s\r\n' "$2" > "$work/quelmora.ini"
    (cd "$work" && XDG_DATA_HOME="$work/data" XDG_STATE_HOME="$work/state" ./quelmora) & pid=$!
    sleep "$3"
    local t0 s0 t1 s1
    t0=$(ticks); s0=$(switches); sleep 10; t1=$(ticks); s1=$(switches)
    kill $pid; wait $pid || true
    awk -v d=$((t1 - t0)) -v s=$((s1 - s0)) -v hz="$(getconf CLK_TCK)" -v what="$1" \
        'BEGIN { printf "%s: %.2f%% of one core, %.1f wake-ups a second\n", what, 100 * d / hz / 10, s / 10 }'
}
measure "idle, still" 0 3
measure "idle, rotating" 5000 6
