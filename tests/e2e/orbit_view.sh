#!/bin/bash
# As a player would: start the game on the display, right-drag on the cube, look at the
# screen before and after, then end it with SIGTERM and check the settings were written.
#   orbit_view.sh <game executable> <work folder>
set -euo pipefail
game=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
# A copy of its own keeps the settings file in the work folder.
cp "$game" "$work/quelmora"
cd "$work"

./quelmora & pid=$!
trap 'kill -9 $pid 2>/dev/null || true' EXIT
win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quelmora 1\.10$' | head -1)
sleep 1.5
eval "$(xdotool getwindowgeometry --shell "$win")"
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

pixel() { convert "$1" -crop "1x1+$2+$3" -colorspace gray -format "%[fx:int(255*u)]" info:; }
changed=$(compare -metric AE before.png after.png null: 2>&1 || true)
centre_before=$(pixel before.png $cx $cy)
corner=$(pixel before.png $((X + 3)) $((Y + 3)))
echo "centre luminance $centre_before, corner $corner, changed pixels $changed"
[ "$centre_before" -gt 150 ] || { echo "FAIL: no white front face at the centre"; exit 1; }
[ "$corner" -lt 10 ] || { echo "FAIL: background not black"; exit 1; }
[ "${changed%%.*}" -gt 2000 ] || { echo "FAIL: the right-button drag did not turn the view"; exit 1; }

kill -TERM $pid
status=0
wait $pid || status=$?
trap - EXIT
[ "$status" -eq 0 ] || { echo "FAIL: exit status $status after SIGTERM"; exit 1; }
[ -f quelmora.ini ] || { echo "FAIL: settings not written on SIGTERM"; exit 1; }
head -c 200 quelmora.ini | tr -d '\r' | head -3
tr -d '\r' < quelmora.ini | sed -n 2p | grep -qx 'FrontColor=clWhite' || { echo "FAIL: bad settings"; exit 1; }
echo "1 passed, 0 failed"
