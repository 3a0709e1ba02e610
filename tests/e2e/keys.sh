#!/bin/bash
# As a player would, from the keyboard: R U R' U' and back, undo and redo, the move count, a
# quick flick that turns, and a cube that stays still while the clock runs.
#   keys.sh <game executable> <work folder>
set -euo pipefail
source "$(dirname "$0")/common.sh"
rm -rf "$2"
mkdir -p "$2"
printf '[QuelmoraSettings]\r\nUpdateTopList=0\r\nRotateSpeed=45\r\nPlayerIdleTimeout=5000\r\nShuffleRotateCount=1\r\n' \
    > "$2/quelmora.ini"
start_game "$1" "$2" keep
main_place
xdotool mousemove $((M_X + 400)) $((M_Y + 52)) windowfocus --sync "$main"

shot start.png
xdotool key r u shift+r shift+u
shot turned.png
xdotool key u r shift+u shift+r
shot back.png
echo "pixels changed by R U R' U': $(differ start.png turned.png); after its inverse: $(differ start.png back.png)"
[ "$(differ start.png turned.png)" -gt 2000 ] || fail "the keys turned nothing"
[ "$(differ start.png back.png)" -lt 100 ] || fail "the inverse did not bring the cube back"
xdotool key ctrl+z
shot undone.png
xdotool key ctrl+y
shot redone.png
[ "$(differ start.png undone.png)" -gt 2000 ] || fail "undo turned nothing back"
[ "$(differ start.png redone.png)" -lt 100 ] || fail "redo did not turn it again"

# A flick: the first move after the press is already on the sticker below.
step=$((HEIGHT * 16964 / 100000))
cx=$((X + WIDTH / 2 + step))
cy=$((Y + HEIGHT / 2 - step))
xdotool mousemove $cx $cy mousedown 1 mousemove $cx $((cy + step)) mouseup 1
shot flicked.png
echo "pixels changed by a flick: $(differ redone.png flicked.png)"
[ "$(differ redone.png flicked.png)" -gt 2000 ] || fail "the flick turned nothing"

# A new game: the move count appears; with the clock running the view stays still.
status="200x17+$((M_X + 2))+$((M_Y + M_HEIGHT - 18))"
import -window root -crop "$status" count_before.png
xdotool key ctrl+n
sleep 0.6
xdotool mousemove $((M_X + 400)) $((M_Y + 52))
import -window root -crop "$status" count_game.png
xdotool key r
sleep 0.6
import -window root -crop "$status" count_move.png
import -window root ingame.png
echo "status panel changed by the new game $(differ count_before.png count_game.png), by a move $(differ count_game.png count_move.png)"
[ "$(differ count_before.png count_game.png)" -gt 20 ] || fail "no move count in a game"
[ "$(differ count_game.png count_move.png)" -gt 5 ] || fail "the move count did not change"
shot still1.png
sleep 7
shot still2.png
echo "pixels changed in 7 idle seconds of a game: $(differ still1.png still2.png)"
[ "$(differ still1.png still2.png)" -lt 200 ] || fail "the view turned during a game"
stop_game
echo "1 passed, 0 failed"
