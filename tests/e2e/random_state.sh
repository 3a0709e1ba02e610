#!/bin/bash
# As a player would, with "Случайное состояние" ticked in the options: offline, a new game is
# dealt by the game's own solver and shows a shuffled cube while the window answers keys.
# Logged in to a real score server on loopback, the server is asked for a random state: one
# that deals it is solved by keys, the inverse of the dealt turns, and the solve lands in the
# random-state list and in no numbered one; one that deals none leaves the game's solver to
# deal it after the usual wait, and the login stands.
#   random_state.sh <game executable> <server executable> <work folder>
set -euo pipefail
source "$(dirname "$0")/common.sh"
work=$3
rm -rf "$work"
mkdir -p "$work"
game=$1

new_game() { xdotool mousemove $((M_X + 29)) $((M_Y + 52)) click 1; }

# Offline: the choice is ticked in the options dialog and kept per user, not in the settings.
start_game "$game" "$work/offline"
main_place
open_options
click 150 71
import -window root -crop "${D_WIDTH}x${D_HEIGHT}+${D_X}+${D_Y}" options.png
options_ok
grep -q '^RandomState=true' state/quelmora/window.ini || fail "the choice was not kept"
shot solved.png
new_game
sleep 3 # the solver's tables are built on first use
shot dealt.png
echo "pixels changed by the solver's deal: $(differ solved.png dealt.png)"
[ "$(differ solved.png dealt.png)" -gt 2000 ] || fail "no random state was dealt offline"
xdotool mousemove $((M_X + 400)) $((M_Y + 52)) windowfocus --sync "$main"
xdotool key r
shot turned.png
[ "$(differ dealt.png turned.png)" -gt 500 ] || fail "the window does not answer keys"
stop_game
grep -q 'RandomState' quelmora.ini && fail "the choice reached the settings file"

# Online, against a real server.
start_server "$2" "$work"
trap 'kill -9 $server 2>/dev/null || true' EXIT
[[ "$(ask 'CUBE_REGISTER;solver;secret1')" == ZKSERVER_LOGIN_OK* ]] || fail "no account"
mkdir -p "$work/online/state/quelmora"
printf '[Game]\nRandomState=true\n' > "$work/online/state/quelmora/window.ini"
printf '[QuelmoraSettings]\r\nHostName=127.0.0.1\r\nHostPort=%s\r\nUserName=solver\r\nPassword=secret1\r\nShowLogin=0\r\nShuffleRotateCount=4\r\nRotateSpeed=45\r\nPlayerIdleTimeout=0\r\n' \
    "$port" > "$work/online/quelmora.ini"
start_game "$game" "$work/online" keep
trap 'kill -9 $pid $server 2>/dev/null || true' EXIT
main_place
sleep 2 # the login's answer: a new game asks for a scramble only once logged in
shot solved.png
new_game
store() { sqlite3 "$work/scores.sqlite" "$1"; }
scramble=
for _ in $(seq 15); do
    scramble=$(store 'SELECT moves FROM scrambles' 2>/dev/null || true)
    [ -n "$scramble" ] && break
    sleep 0.2
done
if [ -z "$scramble" ]; then
    # A server that knows no random state deals nothing: the game's solver deals instead.
    sleep 4
    shot dealt.png
    [ "$(differ solved.png dealt.png)" -gt 2000 ] || fail "no random state after the wait"
    stop_game
    echo "1 passed, 0 failed (a server without random states: the game's solver dealt)"
    exit 0
fi
echo "dealt: $scramble"
sleep 2 # the shuffle is shown before the clock starts
keys=()
for move in $(echo "$scramble" | tr ' ' '\n' | tac); do
    letter=$(echo "${move:0:1}" | tr 'A-Z' 'a-z')
    if [ "${move: -1}" = "'" ]; then keys+=("$letter"); else keys+=("shift+$letter"); fi
done
xdotool mousemove $((M_X + 400)) $((M_Y + 52)) windowfocus --sync "$main"
sleep 5 # a solve under 5 s is held for the operator
xdotool key --delay 400 "${keys[@]}"
timeout 20 xdotool search --sync --onlyvisible --name '^Quelmora$' > /dev/null ||
    fail "no congratulation"
xdotool key Return
history=data/quelmora/history.sqlite
for _ in $(seq 50); do
    [ "$(sqlite3 "$history" 'SELECT sent FROM solves')" = 1 ] && break
    sleep 0.2
done
row=$(sqlite3 -separator '|' "$history" "SELECT scramble, random_state, sent FROM solves")
echo "history: $row"
[ "$row" = "$scramble|1|1" ] || fail "not kept as a sent random-state solve"
flat=$(ask $'CUBE_GETTOP2;solver;secret1;RANDOM\n')
flat=${flat//\"/}
[[ "$flat" == ZKSERVER_TOPLIST2*"#solver;"* ]] || fail "not in the random-state list: $flat"
flat=$(ask $'CUBE_GETTOP2;solver;secret1\n')
[[ "$flat" != *solver* ]] || fail "in the numbered list: $flat"
stop_game
kill $server
echo "1 passed, 0 failed"
