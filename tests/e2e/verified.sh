#!/bin/bash
# As a player would, against a real score server on loopback: logged in, a new game plays the
# scramble the server deals; it is solved by keys, the inverse of that scramble, and the solve
# goes out with its timed turns. The server replays it, and "Топ", tab "Проверенные", shows the
# player's place with the time to the hundredth.
#   verified.sh <game executable> <server executable> <work folder>
set -euo pipefail
source "$(dirname "$0")/common.sh"
work=$3
rm -rf "$work"
mkdir -p "$work"
start_server "$2" "$work"
trap 'kill -9 $server 2>/dev/null || true' EXIT
[[ "$(ask 'CUBE_REGISTER;solver;secret1')" == ZKSERVER_LOGIN_OK* ]] || fail "no account"

# The starting view never turns by itself, so the move keys mean the fixed frame's faces.
mkdir -p "$work/game"
printf '[QuelmoraSettings]\r\nHostName=127.0.0.1\r\nHostPort=%s\r\nUserName=solver\r\nPassword=secret1\r\nShowLogin=0\r\nShuffleRotateCount=4\r\nRotateSpeed=45\r\nPlayerIdleTimeout=0\r\n' \
    "$port" > "$work/game/quelmora.ini"
start_game "$1" "$work/game" keep
trap 'kill -9 $pid $server 2>/dev/null || true' EXIT
main=$(xdotool search --onlyvisible --name '^Quelmora 1\.10$' | head -1)
eval "$(xdotool getwindowgeometry --shell --prefix M_ "$main")"
sleep 2 # the login's answer: a new game asks for a scramble only once logged in

# The new-game button; the server deals the scramble.
xdotool mousemove $((M_X + 29)) $((M_Y + 52)) click 1
store() { sqlite3 "$work/scores.sqlite" "$1"; }
for _ in $(seq 50); do
    [ -n "$(store 'SELECT moves FROM scrambles')" ] && break
    sleep 0.2
done
scramble=$(store 'SELECT moves FROM scrambles')
[ -n "$scramble" ] || fail "no scramble was dealt"
echo "dealt: $scramble"
sleep 2 # the shuffle is shown before the clock starts
import -window root dealt.png

# The inverse, last turn first, as keys: from the starting view a move's letter is its key,
# and "'" is Shift.
keys=()
for move in $(echo "$scramble" | tr ' ' '\n' | tac); do
    letter=$(echo "${move:0:1}" | tr 'A-Z' 'a-z')
    if [ "${move: -1}" = "'" ]; then keys+=("$letter"); else keys+=("shift+$letter"); fi
done
echo "keys: ${keys[*]}"
xdotool mousemove $((M_X + 400)) $((M_Y + 52)) windowfocus --sync "$main"
# A solve under 5 s is held for the operator and listed nowhere: the player thinks first.
sleep 5
xdotool key --delay 400 "${keys[@]}"
timeout 10 xdotool search --sync --onlyvisible --name '^Quelmora$' > /dev/null ||
    fail "no congratulation"
import -window root won.png
xdotool key Return
sleep 1

history=data/quelmora/history.sqlite
for _ in $(seq 50); do
    [ "$(sqlite3 "$history" 'SELECT sent FROM solves')" = 1 ] && break
    sleep 0.2
done
row=$(sqlite3 -separator '|' "$history" \
    "SELECT scramble, scramble_id, timed_moves, CAST(round(seconds * 1000) AS INTEGER), sent, moves FROM solves")
echo "history: $row"
IFS='|' read -r kept id timed ms sent moves <<< "$row"
[ "$kept" = "$scramble" ] || fail "the history's scramble '$kept' is not the dealt '$scramble'"
[ "$sent" = 1 ] && [ ${#id} -eq 32 ] || fail "the solve was not sent as a verified one"
# A shuffle may undo a turn of its own (D' D), so the cube can come out solved before the last
# key: the solve is the turns up to the win, each of them timed.
[ "$moves" -ge 1 ] && [ "$moves" -le "${#keys[@]}" ] && [ "$(echo "$timed" | wc -w)" -eq "$moves" ] ||
    fail "timed turns '$timed' for $moves moves"

# The server took it: its verified list holds the player with these milliseconds.
for _ in $(seq 50); do
    [ "$(store 'SELECT count(*) FROM results WHERE ms IS NOT NULL')" -ge 1 ] && break
    sleep 0.2
done
reply=$(ask $'CUBE_GETTOP2;solver;secret1\n')
echo "verified list: $reply"
# Records and fields may come quoted; the nick holds no quote mark.
flat=${reply//\"/}
[[ "$flat" == ZKSERVER_TOPLIST2#* && "$flat" == *"#solver;$ms;$moves;4;"* ]] ||
    fail "no verified row of $ms ms for the player"

# "Топ игроков", then "Топ"; the window's second tab.
xdotool mousemove $((M_X + 145)) $((M_Y + 14)) click 1
sleep 0.5
xdotool key Down Down Return
players=$(timeout 10 xdotool search --sync --onlyvisible --name '^Топ игроков$' | head -1)
sleep 1
eval "$(xdotool getwindowgeometry --shell --prefix P_ "$players")"
import -window root -crop "${P_WIDTH}x${P_HEIGHT}+${P_X}+${P_Y}" players_all.png
xdotool mousemove $((P_X + 75)) $((P_Y + 12)) click 1
sleep 1
import -window root -crop "${P_WIDTH}x${P_HEIGHT}+${P_X}+${P_Y}" players_verified.png
import -window root screen.png
# The first row of each tab, below the tab bar and the header: the verified tab shows a row
# of its own (place, nick, time to the hundredth, moves, shuffle length, date).
row_of() { convert "$1" +repage -crop "$((P_WIDTH - 10))x16+5+46" "$2"; }
row_of players_all.png row_all.png
row_of players_verified.png row_verified.png
dark=$(convert row_verified.png -colorspace gray -threshold 50% -negate -format "%[fx:int(mean*w*h)]" info:)
changed=$(compare -metric AE -fuzz 20% row_all.png row_verified.png null: 2>&1 || true)
echo "dark pixels in the verified tab's first row $dark, pixels unlike the first tab's row $changed"
[ "$dark" -gt 40 ] && [ "$changed" -gt 40 ] || fail "the verified tab shows no row"
xdotool key Escape
stop_game
kill $server
echo "1 passed, 0 failed"
