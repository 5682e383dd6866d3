#!/usr/bin/env bash
# `cmake --install` into a scratch folder puts every file where the desktop expects it, and the
# installed command-line calculator finds its drawing and template companions.
# Usage: install_test.sh BUILD_DIR WITH_WINDOW(0|1)
set -euo pipefail
build=$1
with_window=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
    bin/vlnokan-calc
    libexec/vlnokan/vlnokan-calc-draw
    libexec/vlnokan/vlnokan-calc-template
    share/doc/vlnokan/copyright
    share/applications/cz.vlnokan.Vlnokan.desktop
    share/metainfo/cz.vlnokan.Vlnokan.metainfo.xml
    share/icons/hicolor/scalable/apps/vlnokan.svg
)
for size in 16 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/vlnokan.png")
done
if [ "$with_window" = 1 ]; then expected+=(bin/vlnokan); fi

status=0
for file in "${expected[@]}"; do
    [ -f "$prefix/$file" ] || { echo "missing after install: $file"; status=1; }
done
for file in bin/vlnokan-calc libexec/vlnokan/vlnokan-calc-draw libexec/vlnokan/vlnokan-calc-template; do
    [ -x "$prefix/$file" ] || { echo "not executable: $file"; status=1; }
done
# Each hicolor PNG is as large as the folder it lies in says.
for size in 16 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/vlnokan.png"
    [ -f "$png" ] || continue
    read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
        awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
    [ "$width" = "$size" ] && [ "$height" = "$size" ] ||
        { echo "icon ${size}x${size} is ${width}x${height}"; status=1; }
done
((status == 0)) || exit $status

out=$(mktemp -d)
trap 'rm -rf "$prefix" "$out"' EXIT
figures=$("$prefix/bin/vlnokan-calc" --draw "$out" 2.4 85 40 300)
grep -qx 'Lg = 247' <<<"$figures"
[ -s "$out/can.png" ] && [ -s "$out/funnel.png" ]
"$prefix/bin/vlnokan-calc" --template "$out/template.svg" 2.4 85 40 300 >/dev/null
grep -q '<svg' "$out/template.svg"
echo "install complete"
