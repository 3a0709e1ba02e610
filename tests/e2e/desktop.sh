#!/bin/bash
# As a player would, with the desktop's parts: the open dialog speaks Russian, help answers
# with no browser installed, and the window comes back where it was left.
#   desktop.sh <game executable> <work folder>
set -euo pipefail
source "$(dirname "$0")/common.sh"
start_game "$1" "$2"
cp "$(dirname "$1")/readme.htm" .
main=$(xdotool search --onlyvisible --name '^Quelmora 1\.10$' | head -1)
focus() { xdotool mousemove $((M_X + 400)) $((M_Y + 52)) windowfocus --sync "$main"; }
eval "$(xdotool getwindowgeometry --shell --prefix M_ "$main")"
focus

xdotool key ctrl+o
opened=$(timeout 10 xdotool search --sync --onlyvisible --name '^Открыть' | head -1) ||
    fail "no open dialog with a Russian title"
sleep 1
import -window root file_dialog.png
echo "open dialog: $(xdotool getwindowname "$opened")"
xdotool key Escape
sleep 0.5

focus
xdotool key F1
help=$(timeout 10 xdotool search --sync --onlyvisible --name '^Справка$' | head -1) ||
    fail "help did not answer"
sleep 1
import -window root help.png
eval "$(xdotool getwindowgeometry --shell --prefix H_ "$help")"
dark=$(convert help.png -crop "${H_WIDTH}x$((H_HEIGHT / 2))+${H_X}+${H_Y}" -colorspace gray \
    -threshold 50% -negate -format "%[fx:int(mean*w*h)]" info:)
echo "dark pixels of text in the help window: $dark"
[ "$dark" -gt 500 ] || fail "the help window shows no page"
xdotool mousemove $((H_X + 20)) $((H_Y + 20)) click 1 key Escape

# Move and size the window, end the game, start it again.
xdotool windowsize "$main" 640 520 windowmove "$main" 100 80
sleep 0.5
eval "$(xdotool getwindowgeometry --shell --prefix B_ "$main")"
stop_game
start_game "$1" "$2" keep
main=$(xdotool search --onlyvisible --name '^Quelmora 1\.10$' | head -1)
eval "$(xdotool getwindowgeometry --shell --prefix A_ "$main")"
echo "window before ${B_WIDTH}x${B_HEIGHT}+${B_X}+${B_Y}, after ${A_WIDTH}x${A_HEIGHT}+${A_X}+${A_Y}"
[ "$A_WIDTH" = "$B_WIDTH" ] && [ "$A_HEIGHT" = "$B_HEIGHT" ] && [ "$A_X" = "$B_X" ] &&
    [ "$A_Y" = "$B_Y" ] || fail "the window did not come back where it was"
import -window root restored.png
stop_game HUP
grep -q 'Geometry' state/quelmora/window.ini || fail "no window state file"
grep -qi 'geometry' quelmora.ini && fail "the window's place went into the settings file"
echo "1 passed, 0 failed"

# Started before its display answers (the X server still coming up), the game says so in
# Russian and ends with status 1, not with an abort and a core dump.
n=900
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
status=0
DISPLAY=:$n QT_QPA_PLATFORM=xcb ./quelmora 2> no_display.txt || status=$?
echo "without a display: exit status $status, $(tail -1 no_display.txt)"
[ "$status" -eq 1 ] && grep -q "графический экран недоступен (DISPLAY=:$n)" no_display.txt ||
    fail "the game did not tell that its display is not there"
