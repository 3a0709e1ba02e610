#!/bin/bash
# As a player would: start a game shuffled with the longest shuffle at the slowest speed, then
# log out (SIGTERM) in the middle of it. The game must end within one second and keep its
# settings; the window is drawn while the shuffle runs.
#   long_shuffle.sh <game executable> <work folder>
set -euo pipefail
source "$(dirname "$0")/common.sh"
rm -rf "$2"
mkdir -p "$2"
printf '[QuelmoraSettings]\r\nUpdateTopList=0\r\nShuffleRotateCount=1000\r\nRotateSpeed=1\r\n' \
    > "$2/quelmora.ini"
start_game "$1" "$2" keep
main=$(xdotool search --onlyvisible --name '^Quelmora 1\.10$' | head -1)
eval "$(xdotool getwindowgeometry --shell --prefix M_ "$main")"
xdotool mousemove $((M_X + 29)) $((M_Y + 52)) click 1
sleep 1
import -window root shuffling1.png
sleep 0.5
import -window root shuffling2.png
moved=$(compare -metric AE shuffling1.png shuffling2.png null: 2>&1 || true)
echo "changed pixels while shuffling $moved"
[ "${moved%%.*}" -gt 200 ] || fail "the shuffle is not drawn"
kill -TERM $pid
for _ in $(seq 10); do
    kill -0 $pid 2> /dev/null || break
    sleep 0.1
done
kill -0 $pid 2> /dev/null && fail "the game still runs 1 s after SIGTERM"
status=0
wait $pid || status=$?
trap - EXIT
[ "$status" -eq 0 ] || fail "exit status $status after SIGTERM"
tr -d '\r' < quelmora.ini | grep -qx 'ShuffleRotateCount=1000' || fail "settings not written"
echo "1 passed, 0 failed"
