#!/bin/bash
# As a player would: open the options from the tool bar, look at each tab, pick a maroon
# background and a five-second idle time, press OK, leave the mouse alone and watch the view
# turn by itself until the pointer moves; then check the choices reached the settings file.
#   options.sh <game executable> <work folder>
set -euo pipefail
source "$(dirname "$0")/common.sh"
start_game "$1" "$2"
cx=$((X + WIDTH / 2))
cy=$((Y + HEIGHT / 2))
main=$(xdotool search --onlyvisible --name '^Quelmora 1\.10$' | head -1)
eval "$(xdotool getwindowgeometry --shell --prefix MAIN_ "$main")"

# The gear button on the tool bar.
xdotool mousemove $((MAIN_X + 197)) $((MAIN_Y + 52)) click 1
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Параметры\.\.\.$' | head -1)
eval "$(xdotool getwindowgeometry --shell --prefix D_ "$dialog")"
sleep 0.5
crop="${D_WIDTH}x${D_HEIGHT}+${D_X}+${D_Y}"
import -window root -crop "$crop" tab_game.png
xdotool mousemove $((D_X + 80)) $((D_Y + 16)) click 1
sleep 0.5
import -window root -crop "$crop" tab_colors.png
# Focus the background box by a click, close its list and step from black to the next item.
xdotool mousemove $((D_X + 198)) $((D_Y + 216)) click 1
sleep 0.5
xdotool key Escape
sleep 0.3
xdotool key Down
sleep 0.5
xdotool mousemove $((D_X + 170)) $((D_Y + 16)) click 1
sleep 0.5
import -window root -crop "$crop" tab_rotation.png
# The idle box: from "Через 1 минуту" five items up to "Через 5 секунд".
xdotool mousemove $((D_X + 141)) $((D_Y + 65)) click 1
sleep 0.5
xdotool key Escape
sleep 0.3
xdotool key Up Up Up Up Up
sleep 0.5
import -window root -crop "$crop" tab_rotation_chosen.png
xdotool mousemove $((D_X + 241)) $((D_Y + 259)) click 1
sleep 0.5
xdotool search --onlyvisible --name '^Параметры\.\.\.$' > /dev/null && fail "OK left the dialog open"

# A pointer move over the panel starts the wait; then the pointer rests on the tool bar.
xdotool mousemove $cx $cy
sleep 0.2
xdotool mousemove $((MAIN_X + 400)) $((MAIN_Y + 52))
sleep 0.5
import -window root still.png
corner=$(rgb still.png $((X + 3)) $((Y + 3)))
echo "background corner $corner"
[ "$corner" = "128 0 0" ] || fail "background is not maroon"
sleep 2
import -window root waiting.png
waited=$(compare -metric AE still.png waiting.png null: 2>&1 || true)
echo "changed pixels while waiting $waited"
[ "${waited%%.*}" -lt 50 ] || fail "the view moved before the idle time"
sleep 4
import -window root idle1.png
sleep 1
import -window root idle2.png
turned=$(compare -metric AE still.png idle1.png null: 2>&1 || true)
moving=$(compare -metric AE idle1.png idle2.png null: 2>&1 || true)
echo "changed pixels after the idle time $turned, over the next second $moving"
[ "${turned%%.*}" -gt 2000 ] || fail "the view did not turn after the idle time"
[ "${moving%%.*}" -gt 500 ] || fail "the idle rotation is not moving"

# A pointer move over the panel stops it where it is.
xdotool mousemove $cx $cy
sleep 0.5
import -window root stopped1.png
sleep 1
import -window root stopped2.png
after=$(compare -metric AE stopped1.png stopped2.png null: 2>&1 || true)
echo "changed pixels in the second after the pointer moved $after"
[ "${after%%.*}" -lt 50 ] || fail "the pointer move did not stop the rotation"

stop_game
settings=$(tr -d '\r' < quelmora.ini)
grep -qx 'BGColor=clMaroon' <<< "$settings" || fail "background not saved"
grep -qx 'PlayerIdleTimeout=5000' <<< "$settings" || fail "idle time not saved"
echo "1 passed, 0 failed"
