# Shared steps of the player tests: a copy of the game in a work folder of its own (so its
# settings file lands there), started on the current display.
#   start_game <game executable> <work folder> [keep]   sets pid, X, Y, WIDTH, HEIGHT
# Without "keep" the folder starts empty but for settings that keep the game offline, so no
# login dialog comes up; with it, the settings already in the folder are used.
# The game speaks Russian here whatever the desktop's language: no language is asked for.
unset LANGUAGE LC_ALL LC_MESSAGES
export LANG=C.UTF-8

start_game() {
    if [ "${3:-}" != keep ]; then
        rm -rf "$2"
        mkdir -p "$2"
        printf '[QuelmoraSettings]\r\nUpdateTopList=0\r\n' > "$2/quelmora.ini"
    fi
    cp "$1" "$2/quelmora"
    cd "$2"
    # What the game keeps per user stays in the work folder.
    export XDG_STATE_HOME="$PWD/state" XDG_DATA_HOME="$PWD/data" XDG_CONFIG_HOME="$PWD/config" \
        XDG_CACHE_HOME="$PWD/cache"
    ./quelmora & pid=$!
    trap 'kill -9 $pid 2>/dev/null || true' EXIT
    timeout 20 xdotool search --sync --onlyvisible --name '^Quelmora 1\.10$' > /dev/null
    sleep 1.5
    panel_place
}

# Geometry of the drawing panel, where the cube is. The window widens when a status text needs
# room, which moves the cube, so a step that aims at the cube reads it afresh.
panel_place() {
    local panel
    panel=$(xdotool search --name '^DrawPanel$' | head -1)
    eval "$(xdotool getwindowgeometry --shell "$panel")"
}

# The main window: main is its id, M_X, M_Y, M_WIDTH and M_HEIGHT its place.
main_place() {
    main=$(xdotool search --onlyvisible --name '^Quelmora 1\.10$' | head -1)
    eval "$(xdotool getwindowgeometry --shell --prefix M_ "$main")"
}

# Opens the options dialog by the gear on the tool bar: dialog is its id, D_X, D_Y, D_WIDTH
# and D_HEIGHT its place.
open_options() {
    xdotool mousemove $((M_X + 197)) $((M_Y + 52)) click 1
    dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Параметры\.\.\.$' | head -1)
    eval "$(xdotool getwindowgeometry --shell --prefix D_ "$dialog")"
    sleep 0.5
}

# A click at a place of the options dialog, and its OK button.
click() {
    xdotool mousemove $((D_X + $1)) $((D_Y + $2)) click 1
    sleep 0.5
}
options_ok() { click 241 281; }

# Changed pixels between two screenshots; rounding left in the points after turns moves edges
# by a shade, so small differences pass.
differ() { compare -metric AE -fuzz 20% "$1" "$2" null: 2>&1 || true; }
# A shot of the panel once two in a row agree: a loaded machine may still be turning.
shot() {
    sleep 0.6
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$1"
    for _ in $(seq 40); do
        sleep 0.25
        import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage next.png
        [ "$(differ "$1" next.png)" -eq 0 ] && return
        mv next.png "$1"
    done
}

# Red, green and blue of one screen pixel of a screenshot, as "r g b".
rgb() {
    convert "$1" -crop "1x1+$2+$3" -format "%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]" info:
}

luminance() {
    convert "$1" -crop "1x1+$2+$3" -colorspace gray -format "%[fx:int(255*u)]" info:
}

fail() {
    echo "FAIL: $*"
    exit 1
}

# Ends the game as a log-out (SIGTERM, or SIGHUP when asked) would and checks it wrote its
# settings.
stop_game() {
    local signal=${1:-TERM} status=0
    kill -"$signal" $pid
    wait $pid || status=$?
    trap - EXIT
    [ "$status" -eq 0 ] || fail "exit status $status after SIG$signal"
    grep -q '^FrontColor=' quelmora.ini || fail "settings not written on SIG$signal"
}

# Colour class of a sticker seen in a screenshot under the game's light: the default colours
# of the front (white), right (blue), left (green), top (yellow) and bottom (red) faces.
sticker() {
    local r g b
    read -r r g b <<< "$(rgb "$1" "$2" "$3")"
    if [ "$r" -gt 150 ] && [ "$g" -gt 150 ] && [ "$b" -gt 150 ]; then echo white
    elif [ "$r" -gt 150 ] && [ "$g" -gt 150 ]; then echo yellow
    elif [ "$b" -gt $((r + 80)) ]; then echo blue
    elif [ "$g" -gt $((r + 50)) ] && [ "$g" -gt $((b + 50)) ]; then echo green
    elif [ "$r" -gt $((g + 80)) ]; then echo red
    else echo other; fi
}

# A left-button drag from one front sticker (column, row: -1, 0 or 1) one sticker along.
drag_sticker() {
    # Each on its own line: a local's value is expanded before the locals before it are set.
    local step=$((HEIGHT * 16964 / 100000))
    local x=$((X + WIDTH / 2 + $1 * step)) y=$((Y + HEIGHT / 2 + $2 * step))
    xdotool mousemove $x $y mousedown 1
    for i in $(seq 1 10); do
        xdotool mousemove $((x + $3 * i * step / 10)) $((y + $4 * i * step / 10))
        sleep 0.02
    done
    xdotool mouseup 1
}

# Plans turning back the one shuffle turn of a game shuffled with a single turn, as a player
# would by looking at the front: a row that shows the right or left face's colour, or a column
# that shows the top or bottom's. Sets UNDO to drag_sticker's arguments; returns 1 when the
# turn was of a layer the front does not show.
plan_undo() {
    panel_place
    local step=$((HEIGHT * 16964 / 100000)) cx=$((X + WIDTH / 2)) cy=$((Y + HEIGHT / 2))
    import -window root shuffled.png
    local line a b c
    for line in -1 0 1; do
        a=$(sticker shuffled.png $((cx - step)) $((cy + line * step)))
        b=$(sticker shuffled.png $cx $((cy + line * step)))
        c=$(sticker shuffled.png $((cx + step)) $((cy + line * step)))
        if [ "$a" = "$b" ] && [ "$b" = "$c" ]; then
            case $a in
            blue) UNDO="-1 $line 1 0"; return 0 ;;
            green) UNDO="1 $line -1 0"; return 0 ;;
            esac
        fi
        a=$(sticker shuffled.png $((cx + line * step)) $((cy - step)))
        b=$(sticker shuffled.png $((cx + line * step)) $cy)
        c=$(sticker shuffled.png $((cx + line * step)) $((cy + step)))
        if [ "$a" = "$b" ] && [ "$b" = "$c" ]; then
            case $a in
            yellow) UNDO="$line 1 0 -1"; return 0 ;;
            red) UNDO="$line -1 0 1"; return 0 ;;
            esac
        fi
    done
    return 1
}

# Turns back the one shuffle turn at once, as planned above.
undo_one_turn() {
    plan_undo || return 1
    # shellcheck disable=SC2086
    drag_sticker $UNDO
}

# Starts the score server on a free loopback port with a file in the work folder, ranking
# games of one shuffle turn; sets server (its pid) and port once it listens.
start_server() {
    "$1" --port 0 --min-shuffles 1 --db "$2/scores.sqlite" > "$2/server.log" 2>&1 &
    server=$!
    for _ in $(seq 100); do
        grep -q '^listening on' "$2/server.log" && break
        sleep 0.1
    done
    port=$(sed -n 's/^listening on .*:\([0-9]*\)$/\1/p' "$2/server.log")
    [ -n "$port" ] || fail "the server did not start: $(cat "$2/server.log")"
}

# One request to the server start_server started, on a connection of its own; the seed's
# messages are taken once it falls quiet.
ask() {
    exec 3<> "/dev/tcp/127.0.0.1/$port"
    printf '%s' "$1" >&3
    timeout 2 cat <&3 || true
    exec 3<&-
}
