#!/bin/bash
# As a player would: right-drag on the cube, compare the screen before and after, then end
# the game with SIGTERM and check the settings were written.
#   orbit_view.sh <game executable> <work folder>
set -euo pipefail
source "$(dirname "$0")/common.sh"
start_game "$1" "$2"
cx=$((X + WIDTH / 2))
cy=$((Y + HEIGHT / 2))
import -window root before.png

xdotool mousemove $cx $cy mousedown 3
for i in $(seq 1 12); do
    xdotool mousemove $((cx + 4 * i)) $((cy + 2 * i))
    sleep 0.03
done
xdotool mouseup 3
sleep 1
import -window root after.png

changed=$(compare -metric AE before.png after.png null: 2>&1 || true)
centre=$(luminance before.png $cx $cy)
corner=$(luminance before.png $((X + 3)) $((Y + 3)))
echo "centre luminance $centre, corner $corner, changed pixels $changed"
[ "$centre" -gt 150 ] || fail "no white front face at the centre"
[ "$corner" -lt 10 ] || fail "background not black"
[ "${changed%%.*}" -gt 2000 ] || fail "the right-button drag did not turn the view"

stop_game
tr -d '\r' < quelmora.ini | grep -qx 'FrontColor=clWhite' || fail "bad settings"
echo "1 passed, 0 failed"
