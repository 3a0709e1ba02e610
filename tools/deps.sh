#!/bin/bash
# Installs the Debian 12 packages the game, its tests and its benchmarks need, when missing.
packages=(
    cmake g++ make pkg-config dpkg-dev file
    qt6-base-dev libqt6opengl6-dev libqt6sql6-sqlite qt6-svg-dev qt6-charts-dev qt6-translations-l10n
    qt6-l10n-tools qt6-tools-dev
    libgl-dev libglu1-mesa-dev libgl1-mesa-dri
    libgtest-dev libgmock-dev libbenchmark-dev libsodium-dev
    xvfb xauth xdotool xclip imagemagick x11-utils sqlite3 lintian
    tesseract-ocr tesseract-ocr-eng tesseract-ocr-rus
    desktop-file-utils appstream
    postgresql libqt6sql6-psql
    qt6-httpserver-dev qt6-websockets-dev chromium
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
