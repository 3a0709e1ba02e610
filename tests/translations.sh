#!/bin/bash
# Every text the game shows has a finished translation, and the translations keep no text the
# game has dropped: lupdate reads the sources into copies of the .ts files, where a new text
# comes out unfinished and a dropped one vanished or obsolete. English holds no Russian word,
# and no Russian text of the sources escapes translation by being left out of tr().
#   translations.sh <lupdate> <source folder> <work folder> [--update]
# With --update the refreshed copies replace the .ts files, for a translator to finish.
set -euo pipefail
lupdate=$1 src=$2 work=$3 here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work"
status=0
for lang in en ru; do
    ts=$work/quelmora_$lang.ts
    cp "$src/resources/translations/quelmora_$lang.ts" "$ts"
    # Russian is the source language: its file holds only the plural forms.
    only=()
    [ "$lang" = en ] || only=(-pluralonly)
    (cd "$src" && "$lupdate" -silent -I . -locations none "${only[@]}" -source-language ru \
        -target-language "$lang" app dialogs model net settings history game -ts "$ts")
    if grep -B4 -E 'type="(unfinished|vanished|obsolete)"' "$ts"; then
        echo "FAIL: quelmora_$lang.ts has texts to translate or to drop (above)"
        status=1
    fi
    if [ "$lang" = en ] && LC_ALL=C.UTF-8 grep -P '<(translation|numerusform)>[^<]*[\x{0400}-\x{04FF}]' "$ts"; then
        echo "FAIL: quelmora_en.ts translates into Russian (above)"
        status=1
    fi
    if [ "$lang" = en ] && ! (cd "$src" && find app dialogs model net settings history game \
        \( -name '*.cpp' -o -name '*.h' \) -exec perl "$here/untranslated.pl" "$ts" {} +); then
        echo "FAIL: Russian texts outside tr() (above)"
        status=1
    fi
    [ "${4:-}" != --update ] || cp "$ts" "$src/resources/translations/"
done
exit $status
