#!/bin/bash
# As a player who tells colours apart poorly would: in the options, symbols on the stickers,
# then each colour scheme in turn. For each scheme every face is brought to the front by
# whole-cube turns and shot; the six shots and one from above right make one picture of the
# scheme, colour_<n>.png in the work folder; each face's sticker must show the scheme's colour
# beside its symbol.
#   colours.sh <game executable> <work folder>
set -euo pipefail
source "$(dirname "$0")/common.sh"
rm -rf "$2"
mkdir -p "$2"
printf '[QuelmoraSettings]\r\nUpdateTopList=0\r\nRotateSpeed=45\r\nPlayerIdleTimeout=0\r\n' \
    > "$2/quelmora.ini"
start_game "$1" "$2" keep
main_place
step=$((HEIGHT * 16964 / 100000))
# Beside the front centre sticker's symbol, inside the sticker, whatever its quarter turn.
sx=$((WIDTH / 2 + step * 33 / 100))
sy=$((HEIGHT / 2))
# A right-button drag over the panel: the view turns a step for each pointer move.
drag() {
    xdotool mousemove $((X + 20)) $((Y + 150)) mousedown 3
    for i in $(seq 8); do
        xdotool mousemove $((X + 20 + i * $1)) $((Y + 150 + i * $2))
        sleep 0.1
    done
    xdotool mouseup 3
    xdotool mousemove $((M_X + 400)) $((M_Y + 52))
}

# The colours of each scheme by face, front, back, left, right, top, bottom, as "r g b".
schemes=(
    "255 255 255;140 26 255;128 255 128;0 128 255;255 255 85;255 81 81"
    "255 255 255;128 128 128;230 159 0;0 114 178;240 228 66;86 180 233"
    "255 255 255;0 0 255;0 255 0;255 0 255;255 255 0;255 0 0"
)
# The face at the front after each whole-cube turn, from the front: y right, back, left,
# front; then x bottom, back, top and front again. The shots of faces seen before are checked
# but left out of the picture.
turns=(y y y y x x x x)
fronts=(4 2 3 1 6 2 5 1)
again=" 3 5 7 "

open_options
click 80 16
click 133 222
for n in 0 1 2; do
    if [ "$n" -gt 0 ]; then
        open_options
        # The scheme box: focused by a click, its list closed, the next scheme by a key.
        click 198 42
        xdotool key Escape
        sleep 0.3
        xdotool key Down
        sleep 0.5
    fi
    import -window root -crop "${D_WIDTH}x${D_HEIGHT}+${D_X}+${D_Y}" "options_$n.png"
    options_ok
    xdotool mousemove $((M_X + 400)) $((M_Y + 52)) windowfocus --sync "$main"
    IFS=';' read -r -a want <<< "${schemes[$n]}"
    shot "front_$n.png"
    shots=("front_$n.png")
    # Light and shade scale each channel alike: the white front tells by how much.
    read -r wr wg wb <<< "$(rgb "front_$n.png" $sx $sy)"
    # The white front's disc, dark in its middle.
    [ "$(luminance "front_$n.png" $((WIDTH / 2)) $sy)" -lt 60 ] || fail "no symbol on the front"
    for i in "${!turns[@]}"; do
        xdotool key "${turns[$i]}"
        face=${fronts[$i]}
        shot "turn_${n}_$i.png"
        [[ "$again" == *" $i "* ]] || shots+=("turn_${n}_$i.png")
        read -r r g b <<< "$(rgb "turn_${n}_$i.png" $sx $sy)"
        read -r er eg eb <<< "${want[$((face - 1))]}"
        er=$((er * wr / 255)) eg=$((eg * wg / 255)) eb=$((eb * wb / 255))
        echo "scheme $n face $face: $r $g $b, expected $er $eg $eb"
        for d in $((r - er)) $((g - eg)) $((b - eb)); do
            [ "${d#-}" -le 12 ] || fail "scheme $n: face $face shows $r $g $b, not $er $eg $eb"
        done
    done
    # The cube from above right, as a player turns it to look, and back.
    drag -8 8
    shot "oblique_$n.png"
    drag 8 -8
    convert "${shots[@]}" "oblique_$n.png" +append "colour_$n.png"
    echo "scheme $n: $PWD/colour_$n.png"
done

stop_game
settings=$(tr -d '\r' < quelmora.ini)
for line in FrontColor=clWhite BackColor=clBlue LeftColor=clLime RightColor=clFuchsia \
    TopColor=clYellow BottomColor=clRed; do
    grep -qx "$line" <<< "$settings" || fail "$line not in the settings file"
done
grep -rqx 'StickerSymbols=true' state || fail "the symbols choice was not kept"
echo "1 passed, 0 failed"
