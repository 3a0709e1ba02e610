#!/bin/bash
# As a player would: drag the top-right front sticker down with the left button; the right
# column of the front must then show the top face's yellow, the left column stays white.
#   drag_layer.sh <game executable> <work folder>
set -euo pipefail
source "$(dirname "$0")/common.sh"
start_game "$1" "$2"
# The square view fills the panel's height; stickers on the front lie 1.6 units apart,
# which at the eye's distance of 17.6 units from the front face is 68 pixels.
cx=$((X + WIDTH / 2))
cy=$((Y + HEIGHT / 2))
step=$((HEIGHT * 16964 / 100000))
right=$((cx + step))
left=$((cx - step))
upper=$((cy - step))
import -window root before.png

xdotool mousemove $right $upper mousedown 1
for i in $(seq 1 10); do
    xdotool mousemove $right $((upper + i * step / 10))
    sleep 0.03
done
xdotool mouseup 1
sleep 1.5
import -window root after.png

read -r r0 g0 b0 <<< "$(rgb before.png $right $upper)"
read -r r1 g1 b1 <<< "$(rgb after.png $right $upper)"
read -r lr lg lb <<< "$(rgb after.png $left $upper)"
echo "right column before: $r0 $g0 $b0, after: $r1 $g1 $b1; left column after: $lr $lg $lb"
[ "$b0" -gt 150 ] && [ "$r0" -gt 150 ] || fail "no white sticker before the drag"
[ "$r1" -gt 150 ] && [ "$g1" -gt 150 ] && [ "$b1" -lt 120 ] || fail "the top's yellow did not come down"
[ "$lb" -gt 150 ] || fail "the left column moved too"
stop_game
echo "1 passed, 0 failed"
