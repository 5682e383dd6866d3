#!/usr/bin/env bash
# Installs what building, running and testing Vlnokan needs on Debian or Ubuntu, only when
# something is missing, so a second run costs nothing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev
    nlohmann-json3-dev
    qt6-svg-dev qt6-pdf-dev libdxflib-dev pkg-config python3-ezdxf
    fonts-liberation2 fonts-dejavu-core
    xvfb xauth openbox x11-utils
    cups cups-client printer-driver-cups-pdf
    poppler-utils imagemagick time
    locales
    desktop-file-utils appstream dpkg-dev file
    mingw-w64 g++-mingw-w64-x86-64 wine64
    openems libopenems-dev libboost-thread-dev ccache
    debootstrap
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

# The tests read a comma decimal separator from a Czech locale.
if ! locale -a 2>/dev/null | grep -qi '^cs_CZ\.utf-\?8$'; then
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    $sudo sed -i 's/^# *cs_CZ.UTF-8 UTF-8/cs_CZ.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^cs_CZ.UTF-8 UTF-8' /etc/locale.gen || echo 'cs_CZ.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
fi
