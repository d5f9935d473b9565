#!/usr/bin/env bash
# Installs what Varnelo needs to build, run and test on Debian 12.
set -euo pipefail
packages=(
    build-essential cmake ninja-build pkg-config ccache
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins
    libpulse-dev libavformat-dev libavcodec-dev libavutil-dev libswresample-dev
    libvorbis-dev libogg-dev libtag1-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    pulseaudio pulseaudio-utils xvfb xauth x11-utils xdotool imagemagick
    ffmpeg vorbis-tools sox fonts-dejavu-core xdg-utils
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
