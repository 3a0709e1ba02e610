#!/bin/bash
# As a player would, on an English desktop and on one with no language set: the menus, a
# dialog of Qt's own, help and the no-display message speak English on the first and Russian
# on the second. What the screen shows is read with OCR; the screenshots stay in the folder.
#   language.sh <game executable> <work folder>
set -euo pipefail
source "$(dirname "$0")/common.sh"
game=$1 work=$2
unset LANGUAGE LC_ALL LC_MESSAGES

# The screen's text in a box, in the language's script, with the spaces OCR may lose or add
# taken out.
read_box() {
    convert "$1" -crop "$2" -resize 300% -colorspace gray -normalize "$1.box.png"
    tesseract "$1.box.png" stdout -l "$OCR" --psm 11 2> /dev/null | tr -d ' \n'
}

# speak <LANG> <OCR language> <folder> <first item> <menus...>: starts the game and reads its
# menu bar and the first item of its file menu, open.
speak() {
    export LANG=$1 OCR=$2
    shift
    start_game "$game" "$2"
    # Pages of their own, to tell which one help opened.
    printf '<html><body><h1>Welcome to the cube</h1></body></html>\n' > readme_en.htm
    printf '<html><body><h1>Добро пожаловать к кубику</h1></body></html>\n' > readme.htm
    main=$(xdotool search --onlyvisible --name '^Quelmora 1\.10$' | head -1)
    eval "$(xdotool getwindowgeometry --shell --prefix M_ "$main")"
    import -window root menus.png
    menus=$(read_box menus.png "${M_WIDTH}x24+${M_X}+${M_Y}")
    echo "LANG=$LANG menu bar: $menus"
    local first=$3
    shift 3
    for menu in "$@"; do
        [[ $menus == *"${menu// /}"* ]] || fail "LANG=$LANG: no menu \"$menu\" in \"$menus\""
    done
    xdotool mousemove $((M_X + 15)) $((M_Y + 10)) click 1
    sleep 0.5
    import -window root file_menu.png
    local items
    items=$(read_box file_menu.png "240x90+${M_X}+$((M_Y + 20))")
    echo "LANG=$LANG file menu: $items"
    [[ $items == *"${first// /}"* ]] || fail "LANG=$LANG: no \"$first\" in the file menu"
    xdotool key Escape
    xdotool mousemove $((M_X + 400)) $((M_Y + 52)) windowfocus --sync "$main"
}

# stock <title> <words...>: Qt's own open dialog, with its title and its buttons' words.
stock() {
    xdotool key ctrl+o
    local dialog
    dialog=$(timeout 10 xdotool search --sync --onlyvisible --name "^$1" | head -1) ||
        fail "LANG=$LANG: no open dialog titled \"$1\""
    sleep 1
    import -window root open_dialog.png
    eval "$(xdotool getwindowgeometry --shell --prefix D_ "$dialog")"
    local words
    words=$(read_box open_dialog.png "${D_WIDTH}x${D_HEIGHT}+${D_X}+${D_Y}")
    echo "LANG=$LANG open dialog \"$(xdotool getwindowname "$dialog")\": $words"
    shift
    for word in "$@"; do
        [[ ${words,,} == *"${word,,}"* ]] || fail "LANG=$LANG: no \"$word\" in the open dialog"
    done
    xdotool key Escape
    sleep 0.5
}

# help <title> <words>: the help page shown in the game, there being no browser.
help_page() {
    xdotool mousemove $((M_X + 400)) $((M_Y + 52)) windowfocus --sync "$main" key F1
    local window
    window=$(timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" | head -1) ||
        fail "LANG=$LANG: help did not answer"
    sleep 1
    import -window root help.png
    eval "$(xdotool getwindowgeometry --shell --prefix H_ "$window")"
    local words
    words=$(read_box help.png "${H_WIDTH}x$((H_HEIGHT / 3))+${H_X}+${H_Y}")
    echo "LANG=$LANG help page: $words"
    [[ $words == *"$2"* ]] || fail "LANG=$LANG: the help page is not the expected one"
    xdotool key Escape
}

no_display() {
    local n=900 status=0
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    DISPLAY=:$n QT_QPA_PLATFORM=xcb ./quelmora 2> no_display.txt || status=$?
    echo "LANG=$LANG without a display: $(tail -1 no_display.txt)"
    [ "$status" -eq 1 ] && grep -q "$1" no_display.txt || fail "LANG=$LANG: no display not told"
}

speak en_US.UTF-8 eng "$work/en" "New game" File View "Top players" Help
stock Open Lookin Filesoftype Cancel
help_page Help Welcometothecube
stop_game
no_display "cannot open a window: the display is not available"

speak C.UTF-8 rus "$work/ru" "Начать заново" Файл Вид "Топ игроков" Помощь
stock Открыть Перейтик Типыфайлов Отмена
help_page Справка Добропожаловать
stop_game
no_display "графический экран недоступен"
echo "screenshots: $work/en/*.png $work/ru/*.png"
echo "1 passed, 0 failed"
