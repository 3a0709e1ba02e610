#!/bin/bash
# As a player would, with "Осмотр 15 секунд" ticked in the options: a game shuffled with one
# turn counts down from 15 before the clock starts. Solved with the first turn inside the 15 s
# it is kept as it is; with the first turn after them it is kept with +2, which the statistics
# window shows; with no turn by 17 s the game ends as a DNF. Real seconds pass here: the
# countdown is what is tested. Screenshots stay in the work folder.
#   inspection.sh <game executable> <work folder>
set -euo pipefail
source "$(dirname "$0")/common.sh"
work=$2
rm -rf "$work"
mkdir -p "$work/game"
printf '[QuelmoraSettings]\r\nUpdateTopList=0\r\nShuffleRotateCount=1\r\n' > "$work/game/quelmora.ini"
start_game "$1" "$work/game" keep
main_place

# The choice, ticked in the options dialog and kept per user at once.
open_options
click 40 237
import -window root -crop "${D_WIDTH}x${D_HEIGHT}+${D_X}+${D_Y}" options.png
options_ok
grep -q '^Inspection=true' state/quelmora/window.ini || fail "the choice was not kept"

now() { date +%s.%N; }
# Sleeps until this many seconds after the moment given.
sleep_until() { sleep "$(awk -v t="$1" -v s="$2" -v n="$(now)" 'BEGIN { d = t + s - n; print (d > 0 ? d : 0) }')"; }
# The clock on the panel, and how many of its pixels are red.
clock_shot() {
    panel_place
    import -window root -crop "100x34+$((X + WIDTH - 100))+$Y" "$1"
    red=$(convert "$1" +repage -fx '(r > 0.8 && g < 0.3 && b < 0.3)' -format '%[fx:int(mean*w*h)]' info:)
}
# A new game whose one shuffle turn the front shows; started sets when its countdown began.
new_game() {
    for _ in $(seq 8); do
        xdotool mousemove $((M_X + 29)) $((M_Y + 52)) click 1
        started=$(now)
        sleep 1.5 # the shuffle is shown before the countdown starts
        plan_undo && return 0
    done
    fail "no shuffle the front shows"
}
won() {
    timeout 10 xdotool search --sync --onlyvisible --name '^Quelmora$' > /dev/null ||
        fail "no congratulation"
    import -window root "$1"
    xdotool key Return
    sleep 1
}
history() { sqlite3 -separator '|' data/quelmora/history.sqlite "$1"; }

# Inside the 15 s: the countdown in the clock's own colour, and a plain time.
new_game
clock_shot countdown.png
[ "$red" -eq 0 ] || fail "the countdown is red with more than 8 s left"
# shellcheck disable=SC2086
drag_sticker $UNDO
won won.png
# After them: red in the last seconds, and a time with +2.
new_game
sleep_until "$started" 14
clock_shot late.png
[ "$red" -gt 20 ] || fail "the countdown is not red in its last seconds"
sleep_until "$started" 16.2
# shellcheck disable=SC2086
drag_sticker $UNDO
won won_plus_two.png
# No turn by 17 s: the game ends as a DNF, which is kept and nothing is asked.
xdotool mousemove $((M_X + 29)) $((M_Y + 52)) click 1
sleep 19
clock_shot dnf.png
[ "$red" -gt 20 ] || fail "the DNF is not shown in red"
xdotool search --onlyvisible --name '^Quelmora$' > /dev/null && fail "a DNF was congratulated"
rows=$(history 'SELECT plus_two, dnf FROM solves ORDER BY id' | tr '\n' ' ')
echo "history (plus_two|dnf): $rows"
[ "$rows" = "0|0 1|0 0|1 " ] || fail "not kept as solved, +2 and DNF"

# The statistics window shows the +2 beside its time and the DNF.
xdotool key F2
stats=$(timeout 10 xdotool search --sync --onlyvisible --name '^Статистика$' | head -1)
sleep 1
eval "$(xdotool getwindowgeometry --shell --prefix S_ "$stats")"
import -window root -crop "${S_WIDTH}x${S_HEIGHT}+${S_X}+${S_Y}" stats.png
if command -v tesseract > /dev/null; then
    text=$(tesseract stats.png - 2> /dev/null || true)
    echo "statistics read: $(echo "$text" | grep -E '\+2|DNF' | tr '\n' ' ')"
    [[ "$text" == *+2* && "$text" == *DNF* ]] || fail "the statistics show no +2 or no DNF"
fi
stop_game
echo "1 passed, 0 failed"
