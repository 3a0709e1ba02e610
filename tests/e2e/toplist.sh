#!/bin/bash
# As a player would, against a real score server on loopback: register in the login dialog
# that greets a new player, solve a game shuffled with one turn, open "Топ" and find the row,
# then find the solve in the history file. Solve again while the server is down, start it
# again, log in, and see the kept result arrive; then look at the statistics window.
#   toplist.sh <game executable> <server executable> <work folder>
set -euo pipefail
source "$(dirname "$0")/common.sh"
work=$3
rm -rf "$work"
mkdir -p "$work"
start_server "$2" "$work"

mkdir -p "$work/game"
printf '[QuelmoraSettings]\r\nHostName=127.0.0.1\r\nHostPort=%s\r\nShuffleRotateCount=1\r\n' \
    "$port" > "$work/game/quelmora.ini"
start_game "$1" "$work/game" keep
trap 'kill -9 $pid $server 2>/dev/null || true' EXIT

login=$(timeout 10 xdotool search --sync --onlyvisible --name '^Авторизация\.\.\.$' | head -1)
eval "$(xdotool getwindowgeometry --shell --prefix L_ "$login")"
import -window root login.png
at() {
    xdotool mousemove $((L_X + $1)) $((L_Y + $2)) click 1
    sleep 0.3
}
at 140 16
at 200 40
xdotool type --delay 30 'player one'
at 200 67
xdotool type --delay 30 'secret1'
at 200 94
xdotool type --delay 30 'secret1'
import -window root login_filled.png
at 265 166
sleep 1
xdotool search --onlyvisible --name '^Авторизация\.\.\.$' > /dev/null && fail "the dialog stayed"

main=$(xdotool search --onlyvisible --name '^Quelmora 1\.10$' | head -1)
eval "$(xdotool getwindowgeometry --shell --prefix M_ "$main")"
# The new-game button, then the one shuffle turn turned back; a turn of a layer the front
# does not show is given up for a new game. Logged in, the server deals the shuffle (or, an
# older one, lets the game shuffle after 2 s) and holds a solve under 5 s for its operator, so
# the player takes longer than that.
win() {
    for attempt in $(seq 8); do
        xdotool mousemove $((M_X + 29)) $((M_Y + 52)) click 1
        sleep 6
        undo_one_turn && break
    done
    timeout 10 xdotool search --sync --onlyvisible --name '^Quelmora$' > /dev/null ||
        fail "no congratulation"
    import -window root "$1"
    xdotool key Return
    sleep 1
}
win won.png
# "Топ игроков", then its second item "Топ".
xdotool mousemove $((M_X + 145)) $((M_Y + 14)) click 1
sleep 0.5
xdotool key Down Down Return
players=$(timeout 10 xdotool search --sync --onlyvisible --name '^Топ игроков$' | head -1)
sleep 1
eval "$(xdotool getwindowgeometry --shell --prefix P_ "$players")"
import -window root -crop "${P_WIDTH}x${P_HEIGHT}+${P_X}+${P_Y}" players.png

# The server holds the row the window shows.
reply=$(
    exec 3<> "/dev/tcp/127.0.0.1/$port"
    printf 'CUBE_GETTOP;player one;secret1' >&3
    timeout 2 cat <&3 || true
)
echo "top list: $reply"
[[ "$reply" == ZKSERVER_TOPLIST#* && "$reply" == *'player one'* && "$reply" == *'""1""'* ]] ||
    fail "no row for the player"
# Text of the first row: dark pixels below the header.
dark=$(convert players.png +repage -crop "$((P_WIDTH - 10))x16+5+18" -colorspace gray -threshold 50% \
    -negate -format "%[fx:int(mean*w*h)]" info:)
echo "dark pixels in the first row $dark"
[ "$dark" -gt 40 ] || fail "the window shows no row"
# Escape closes the list, which would hide the cube.
xdotool key Escape
sleep 0.5
xdotool search --onlyvisible --name '^Топ игроков$' > /dev/null && fail "the list stayed"

history=data/quelmora/history.sqlite
solves() { sqlite3 -separator ' | ' "$history" "SELECT $1 FROM solves ORDER BY id"; }
row=$(solves "seconds - clock_seconds, moves, scramble, solution, sent")
echo "history: $row"
IFS='|' read -r late moves scramble solution sent <<< "$row"
# A new game during a game keeps the clock's tick phase, so it may be up to a second ahead.
awk "BEGIN { exit !($late > -1 && $late < 1.2) }" || fail "seconds do not agree with the clock"
[ "$moves" -eq 1 ] && [ "$sent" -eq 1 ] || fail "moves or sent wrong"
# One quarter turn is solved by the same turn the other way.
scramble=$(echo $scramble) solution=$(echo $solution)
[ "$solution" = "${scramble%\'}" ] || [ "$solution" = "$scramble'" ] ||
    fail "the solution '$solution' does not undo the scramble '$scramble'"

# The server goes down: the win is kept unsent.
kill -9 $server
wait $server 2>/dev/null || true
sleep 1
win offline.png
[ "$(solves sent | tail -1)" -eq 0 ] || fail "a result that could not go was marked sent"
"$2" --port "$port" --min-shuffles 1 --db "$work/scores.sqlite" >> "$work/server.log" 2>&1 &
server=$!
for _ in $(seq 100); do
    [ "$(grep -c '^listening on' "$work/server.log")" -eq 2 ] && break
    sleep 0.1
done
# "Топ игроков", then "Авторизация...": no registering this time, and Enter is OK.
xdotool mousemove $((M_X + 145)) $((M_Y + 14)) click 1
sleep 0.5
xdotool key Down Return
login=$(timeout 10 xdotool search --sync --onlyvisible --name '^Авторизация\.\.\.$' | head -1)
eval "$(xdotool getwindowgeometry --shell --prefix L_ "$login")"
at 140 16
xdotool key Return
for _ in $(seq 50); do
    [ "$(solves sent | tr -d '\n')" = 11 ] && break
    sleep 0.2
done
[ "$(solves sent | tr -d '\n')" = 11 ] || fail "the kept result was not sent after the login"
# The server takes a message once the connection falls quiet, then checks the password.
for _ in $(seq 50); do
    results=$(sqlite3 "$work/scores.sqlite" "SELECT count(*) FROM results")
    [ "$results" -eq 2 ] && break
    sleep 0.2
done
[ "$results" -eq 2 ] || fail "the server has $results results, not 2"

# A click on the status bar brings the keys back to the main window, then F2.
xdotool mousemove $((M_X + 100)) $((M_Y + M_HEIGHT - 8)) click 1
sleep 0.3
xdotool key F2
stats=$(timeout 10 xdotool search --sync --onlyvisible --name '^Статистика$' | head -1)
sleep 1
eval "$(xdotool getwindowgeometry --shell --prefix S_ "$stats")"
import -window root -crop "${S_WIDTH}x${S_HEIGHT}+${S_X}+${S_Y}" stats.png

stop_game
tr -d '\r' < quelmora.ini | grep -qx 'UserName=player one' || fail "user name not kept"
tr -d '\r' < quelmora.ini | grep -qx 'Password=' || fail "the password was kept unasked"
kill $server
echo "1 passed, 0 failed"
