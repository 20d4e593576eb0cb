#!/usr/bin/env bash
# Installs the Debian packages Tempiolo needs to build, run and test,
# but only when one of them is missing, so repeated runs cost nothing.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev qt6-translations-l10n
    qt6-qpa-plugins qt6-wayland libqt6svg6 libqt6sql6-sqlite libsqlite3-dev
    fonts-liberation fonts-dejavu-core
    espeak-ng sox faketime
    postgresql libqt6sql6-psql
    xvfb xauth xdotool x11-utils imagemagick poppler-utils
    tesseract-ocr tesseract-ocr-ita
    dpkg-dev file strace desktop-file-utils appstream
    dbus at-spi2-core python3-pyatspi openbox lintian weston
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
