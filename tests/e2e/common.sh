# Shared steps of the player tests: a copy of the game in a work folder of its own (so its
# settings file lands there), started on the current display.
#   start_game <game executable> <work folder> [keep]   sets pid, X, Y, WIDTH, HEIGHT
# Without "keep" the folder starts empty but for settings that keep the game offline, so no
# login dialog comes up; with it, the settings already in the folder are used.
start_game() {
    if [ "${3:-}" != keep ]; then
        rm -rf "$2"
        mkdir -p "$2"
        printf '[QuelmoraSettings]\r\nUpdateTopList=0\r\n' > "$2/quelmora.ini"
    fi
    cp "$1" "$2/quelmora"
    cd "$2"
    ./quelmora & pid=$!
    trap 'kill -9 $pid 2>/dev/null || true' EXIT
    timeout 20 xdotool search --sync --onlyvisible --name '^Quelmora 1\.10$' > /dev/null
    sleep 1.5
    # Geometry of the drawing panel, where the cube is.
    local panel
    panel=$(xdotool search --name '^DrawPanel$' | head -1)
    eval "$(xdotool getwindowgeometry --shell "$panel")"
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

# Ends the game as a log-out would and checks it wrote its settings.
stop_game() {
    kill -TERM $pid
    local status=0
    wait $pid || status=$?
    trap - EXIT
    [ "$status" -eq 0 ] || fail "exit status $status after SIGTERM"
    grep -q '^FrontColor=' quelmora.ini || fail "settings not written on SIGTERM"
}
