#!/usr/bin/env bash
# Builds the Debian package with cpack, installs it into this system with dpkg, checks the
# installed files, starts the installed program on a virtual display, and purges the package.
# Needs root and dpkg; otherwise it reports itself skipped (exit 77).
# Usage: deb_test.sh BUILD_DIR WITH_WINDOW(0|1)
set -euo pipefail
build=$1
with_window=$2
skip=77

if [ "$(id -u)" -ne 0 ] || ! command -v dpkg >/dev/null || ! command -v dpkg-shlibdeps >/dev/null; then
    echo "skipped: installing a package needs root, dpkg and dpkg-shlibdeps"
    exit $skip
fi

# Other package work on this machine (apt, another test run) holds dpkg's lock for a while:
# wait for it rather than fail.
dpkg_waiting() {
    local output
    for _ in $(seq 120); do
        if output=$(dpkg "$@" 2>&1); then return 0; fi
        grep -q 'lock' <<<"$output" || break
        sleep 1
    done
    echo "$output"
    return 1
}

# Two runs of this test at once would install and purge each other's package.
exec 9>/tmp/vlnokan-deb-test.lock
flock -w 600 9 || { echo "skipped: another package test keeps running"; exit $skip; }
present=$(dpkg-query -W -f='${Status}' vlnokan 2>/dev/null || true)
if [ -n "$present" ] && [[ "$present" != *not-installed* ]]; then
    echo "skipped: a vlnokan package is installed already and is left alone"
    exit $skip
fi

work=$(mktemp -d)
installed=0
cleanup() {
    if ((installed)); then dpkg_waiting --purge vlnokan >/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" ||
    { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/vlnokan_*.deb)
echo "package: $(basename "$deb")"

# Depends on the Qt run-time libraries found by dpkg-shlibdeps, and on the drawings' font.
depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
needs=(libqt6core6 libqt6gui6 fonts-liberation2)
if [ "$with_window" = 1 ]; then needs+=(libqt6widgets6 libqt6printsupport6); fi
for needed in "${needs[@]}"; do
    grep -q "$needed" <<<"$depends" || { echo "Depends lacks $needed"; exit 1; }
done

installed=1
dpkg_waiting -i "$deb" >/dev/null

files=(
    /usr/bin/vlnokan-calc
    /usr/libexec/vlnokan/vlnokan-calc-draw
    /usr/libexec/vlnokan/vlnokan-calc-template
    /usr/share/doc/vlnokan/copyright
    /usr/share/applications/cz.vlnokan.Vlnokan.desktop
    /usr/share/metainfo/cz.vlnokan.Vlnokan.metainfo.xml
    /usr/share/icons/hicolor/32x32/apps/vlnokan.png
    /usr/share/icons/hicolor/scalable/apps/vlnokan.svg
)
if [ "$with_window" = 1 ]; then files+=(/usr/bin/vlnokan); fi
for file in "${files[@]}"; do
    dpkg -S "$file" >/dev/null || { echo "not installed by the package: $file"; exit 1; }
done

figures=$(/usr/bin/vlnokan-calc 2.4 85 40 300)
grep -qx 'Lg = 247' <<<"$figures"
/usr/bin/vlnokan-calc --draw "$work/drawings" 2.4 85 40 300 >/dev/null
[ -s "$work/drawings/can.png" ] && [ -s "$work/drawings/funnel.png" ]
/usr/bin/vlnokan-calc --template "$work/template.dxf" 2.4 85 40 300 >/dev/null
grep -qx 'AC1015' "$work/template.dxf"
# Free software: the copyright file names the licence the metainfo gives.
grep -qx 'License: GPL-3+' /usr/share/doc/vlnokan/copyright

if [ "$with_window" = 1 ]; then
    # The window quits after its first calculation when asked to; a window that ignores the
    # request is still running when the time is up, which shows it started too.
    unset QT_QPA_PLATFORM
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 0700 "$XDG_RUNTIME_DIR"
    status=0
    VLNOKAN_QUIT_AFTER_START=1 timeout 10 \
        xvfb-run -a -s "-screen 0 1024x768x24" /usr/bin/vlnokan >"$work/window.log" 2>&1 || status=$?
    if [ "$status" -ne 0 ] && [ "$status" -ne 124 ]; then
        cat "$work/window.log"
        echo "the installed vlnokan ended with status $status"
        exit 1
    fi
    echo "installed vlnokan started (status $status)"
fi

dpkg_waiting --purge vlnokan >/dev/null
installed=0
for file in "${files[@]}"; do
    [ ! -e "$file" ] || { echo "left behind after purge: $file"; exit 1; }
done
echo "package installs, runs and purges"
