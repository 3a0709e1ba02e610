#!/bin/bash
# As a player would who is stuck: a new game, then "Подсказка" by its key H again and again
# until the cube is solved. The win is congratulated, kept in the history as a hinted game that
# goes to no list, and gains the solver's length for its shuffle.
#   hint.sh <game executable> <work folder>
set -euo pipefail
source "$(dirname "$0")/common.sh"
rm -rf "$2"
mkdir -p "$2"
printf '[QuelmoraSettings]\r\nUpdateTopList=0\r\nRotateSpeed=45\r\nPlayerIdleTimeout=0\r\nShuffleRotateCount=8\r\n' \
    > "$2/quelmora.ini"
start_game "$1" "$2" keep
main=$(xdotool search --onlyvisible --name '^Quelmora 1\.10$' | head -1)
eval "$(xdotool getwindowgeometry --shell --prefix M_ "$main")"
xdotool mousemove $((M_X + 400)) $((M_Y + 52)) windowfocus --sync "$main"
xdotool key ctrl+n
sleep 2 # the shuffle is shown before the clock starts
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" shuffled.png

# Each press turns one quarter turn once the solver has answered; the first waits for its
# tables. A solution is at most 21 face turns, so 42 quarter turns at most.
won=
for press in $(seq 60); do
    xdotool key h
    if timeout 1 xdotool search --sync --onlyvisible --name '^Quelmora$' > /dev/null; then
        won=$press
        break
    fi
done
[ -n "$won" ] || fail "no congratulation after 60 hints"
echo "won after $won presses of H"
import -window root won.png
xdotool key Return
sleep 1
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" solved.png
changed=$(compare -metric AE -fuzz 20% shuffled.png solved.png null: 2>&1 || true)
echo "pixels changed from the shuffle to the win: $changed"
[ "$changed" -gt 2000 ] || fail "the hints turned nothing on the screen"

history=data/quelmora/history.sqlite
row=
for _ in $(seq 50); do
    row=$(sqlite3 -separator '|' "$history" "SELECT hinted, sent, moves, solver_moves FROM solves")
    [[ "$row" =~ ^1\|0\|[0-9]+\|[0-9]+$ ]] && break
    sleep 0.2
done
echo "history: $row"
IFS='|' read -r hinted sent moves solver <<< "$row"
[ "$hinted" = 1 ] || fail "the win is not kept as a hinted one"
[ "$sent" = 0 ] || fail "a hinted win was marked sent"
[ "$moves" -ge 1 ] && [ "$moves" -le "$won" ] || fail "the hints made $moves moves in $won presses"
[ -n "$solver" ] && [ "$solver" -ge 1 ] && [ "$solver" -le 42 ] || fail "solver length '$solver'"
ls cache/quelmora | grep -q . || fail "no solver tables were cached"
stop_game
echo "1 passed, 0 failed"
