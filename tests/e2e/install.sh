#!/bin/bash
# As a packager and a new player on a fresh Debian machine: build the two packages, find
# lintian's errors and warnings in them, install them with apt, start the installed game by
# its desktop entry's command from a folder with no help page, open the help with F1 and find
# the installed one; then purge the packages, and with them the service's enabling.
#   install.sh <build folder> <work folder>
# Needs root and apt; skipped (77) without them, or when the packages are already installed.
set -euo pipefail
source "$(dirname "$0")/common.sh"
build=$(realpath "$1")
work=$2
if [ "$(id -u)" -ne 0 ] || ! command -v apt-get > /dev/null; then
    echo "SKIPPED: installing packages needs root and apt-get"
    exit 77
fi
if dpkg-query -W -f='${Status}' quelmora quelmora-server 2>/dev/null | grep -q 'ok installed'; then
    echo "SKIPPED: quelmora is installed on this machine already; this test would remove it"
    exit 77
fi
rm -rf "$work"
mkdir -p "$work/packages" "$work/home"
work=$(realpath "$work")
(cd "$build" && cpack -G DEB -B "$work/packages" > "$work/cpack.log" 2>&1)
debs=("$work"/packages/quelmora_*.deb "$work"/packages/quelmora-server_*.deb)
# Lintian's notes (I:) may stay; what it calls an error or a warning may not.
lintian "${debs[@]}" > "$work/lintian.log" 2>&1 || true
cat "$work/lintian.log"
! grep -q '^[EW]: ' "$work/lintian.log" || fail "lintian finds errors or warnings"
trap 'apt-get remove -y --purge quelmora quelmora-server > /dev/null 2>&1 || true' EXIT
# Everything either package needs is on a machine that built them: nothing is downloaded.
DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
    "${debs[@]}" > "$work/apt.log" 2>&1 || fail "apt-get install: $(tail -5 "$work/apt.log")"

desktop=/usr/share/applications/org.example.quelmora.desktop
desktop-file-validate "$desktop" || fail "the desktop entry does not validate"
appstreamcli validate --no-net /usr/share/metainfo/org.example.quelmora.metainfo.xml > /dev/null ||
    fail "the metainfo does not validate"
[ -f /usr/share/icons/hicolor/scalable/apps/org.example.quelmora.svg ] || fail "no icon"
[ -x /usr/games/quelmora ] || fail "the game is not in /usr/games"
[ -f /usr/share/man/man6/quelmora.6.gz ] && [ -f /usr/share/man/man8/quelmora-server.8.gz ] ||
    fail "no man pages"
for package in quelmora quelmora-server; do
    grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
        "/usr/share/doc/$package/copyright" || fail "$package has no machine-readable copyright"
    zcat "/usr/share/doc/$package/changelog.Debian.gz" | head -1 | grep -q "^$package (" ||
        fail "$package has no changelog"
done
[ -f /usr/lib/systemd/system/quelmora-server.service ] || fail "no service unit"
getent passwd quelmora-server > /dev/null || fail "the service's user was not made"
wants=/etc/systemd/system/multi-user.target.wants/quelmora-server.service
[ -L "$wants" ] || fail "the service was not enabled"

# The player starts the game the way the desktop does, from their home folder, with the
# search path a player's session has.
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
cd "$work/home"
export HOME="$work/home" PATH="/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games"
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_STATE_HOME
mkdir -p .config/quelmora
printf '[QuelmoraSettings]\r\nUpdateTopList=0\r\n' > .config/quelmora/quelmora.ini
$exec_line & pid=$!
trap 'kill -9 $pid 2>/dev/null || true; apt-get remove -y --purge quelmora quelmora-server > /dev/null 2>&1 || true' EXIT
main=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quelmora 1\.10$' | head -1)
[ -n "$main" ] || fail "the installed game did not start"
sleep 1
eval "$(xdotool getwindowgeometry --shell --prefix M_ "$main")"
xdotool mousemove $((M_X + 100)) $((M_Y + M_HEIGHT - 8)) click 1
xdotool key F1
help=$(timeout 10 xdotool search --sync --onlyvisible --name '^Справка$' | head -1)
[ -n "$help" ] || fail "F1 opened no help"
sleep 0.5
import -window root "$work/help.png"
kill -TERM $pid
wait $pid || fail "the game did not end cleanly"
grep -q '^FrontColor=' .config/quelmora/quelmora.ini || fail "settings not in the per-user file"
[ ! -e /usr/games/quelmora.ini ] || fail "the installed game wrote its settings beside itself"
trap - EXIT
DEBIAN_FRONTEND=noninteractive apt-get remove -y --purge quelmora quelmora-server \
    > "$work/purge.log" 2>&1 || fail "apt-get purge: $(tail -5 "$work/purge.log")"
[ ! -e "$wants" ] && [ ! -e /etc/systemd/system/quelmora-server.service ] ||
    fail "the purge left the service enabled or masked"
echo "1 passed, 0 failed"
