#!/bin/bash
# As a player would, logged in to a real score server on loopback: Ctrl+D asks for today's
# daily challenge, which is solved by keys at a human pace, the inverse of the dealt turns.
# The top-list window then comes up, the server's daily list holds the solve, and
# "Копировать результат" (Ctrl+Shift+C) puts the day, time, moves, place and streak on the
# clipboard. A second Ctrl+D the same day is refused, and the game says so.
#   daily.sh <game executable> <server executable> <work folder>
set -euo pipefail
source "$(dirname "$0")/common.sh"
work=$3
rm -rf "$work"
mkdir -p "$work"

start_server "$2" "$work"
trap 'kill -9 $server 2>/dev/null || true' EXIT
[[ "$(ask 'CUBE_REGISTER;solver;secret1')" == ZKSERVER_LOGIN_OK* ]] || fail "no account"
mkdir -p "$work/player"
printf '[QuelmoraSettings]\r\nHostName=127.0.0.1\r\nHostPort=%s\r\nUserName=solver\r\nPassword=secret1\r\nShowLogin=0\r\nRotateSpeed=45\r\nPlayerIdleTimeout=0\r\n' \
    "$port" > "$work/player/quelmora.ini"
start_game "$1" "$work/player" keep
trap 'kill -9 $pid $server 2>/dev/null || true' EXIT
main=$(xdotool search --onlyvisible --name '^Quelmora 1\.10$' | head -1)
focus() { xdotool mousemove $((X + WIDTH / 2)) $((Y + 10)) windowfocus --sync "$main"; }
sleep 2 # the login's answer: the daily challenge is asked for only once logged in
focus
xdotool key ctrl+d
store() { sqlite3 "$work/scores.sqlite" "$1"; }
scramble=
for _ in $(seq 50); do
    scramble=$(store "SELECT moves FROM scrambles WHERE kind LIKE 'DAILY-%'" 2>/dev/null || true)
    [ -n "$scramble" ] && break
    sleep 0.2
done
[ -n "$scramble" ] || fail "no daily challenge was dealt: $(tail -5 "$work/server.log")"
day=$(store "SELECT day FROM daily")
echo "dealt for $day: $scramble"
[ "$day" = "$(date -u +%F)" ] || fail "not today's (UTC) challenge"
keys=()
for move in $(echo "$scramble" | tr ' ' '\n' | tac); do
    letter=$(echo "${move:0:1}" | tr 'A-Z' 'a-z')
    if [ "${move: -1}" = "'" ]; then keys+=("$letter"); else keys+=("shift+$letter"); fi
done
sleep 6 # the shuffle is shown before the clock starts, and a solve under 5 s is held
focus
xdotool key --delay 350 "${keys[@]}"
timeout 20 xdotool search --sync --onlyvisible --name '^Quelmora$' > /dev/null ||
    fail "no congratulation"
xdotool key Return
timeout 10 xdotool search --sync --onlyvisible --name '^Топ игроков$' > /dev/null ||
    fail "the day's list was not shown"
sleep 1 # the day's list comes after the window
import -window root shown.png
flat=$(ask $'CUBE_GETTOP2;solver;secret1;DAILY\n')
flat=${flat//\"/}
[[ "$flat" == ZKSERVER_TOPLIST2*"#solver;"* ]] || fail "not in the daily list: $flat"
row=$(sqlite3 -separator '|' data/quelmora/history.sqlite "SELECT daily_day, random_state FROM solves")
[ "$row" = "$day|1" ] || fail "not kept as a daily solve: $row"
focus
xdotool key ctrl+shift+c
sleep 0.5
text=$(xclip -o -selection clipboard)
echo "copied: $text"
moves=$(sqlite3 data/quelmora/history.sqlite "SELECT moves FROM solves")
[[ "$text" =~ ^Quelmora,\ задача\ дня\ $day:\ [0-9]+,[0-9]{2}\ с,\ $moves\ ход(а|ов)?,\ 1-е\ место,\ серия\ 1\ день$ ]] ||
    fail "not the result's text"
# The day's one try is finished.
focus
xdotool key ctrl+d
timeout 10 xdotool search --sync --onlyvisible --name '^Quelmora$' > /dev/null ||
    fail "a finished try was not refused"
xdotool key Return
stop_game
kill $server
echo "1 passed, 0 failed"
