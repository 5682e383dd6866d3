#!/usr/bin/env bash
# Installs what building, running and testing Vlnokan needs on Debian or Ubuntu, only when
# something is missing, so a second run costs nothing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build
    qt6-base-dev
    fonts-liberation2 fonts-dejavu-core
    xvfb xauth
    cups cups-client printer-driver-cups-pdf
    poppler-utils imagemagick
    locales
    desktop-file-utils appstream dpkg-dev file
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done

if ((${#missing[@]})); then
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
