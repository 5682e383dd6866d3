#!/usr/bin/env bash
# The downloadable .zip: made by scripts/package-windows.sh from the cross build, it holds exactly
# the program, its README and the notices, and the program unpacked from it runs under Wine with
# nothing beside it and needs no DLL that a bare Windows lacks.
# usage: package_test.sh WINDOWS_BUILD OUT_DIR PREFIX
set -uo pipefail
windowsBuild=$1
out=$2
prefix=$3
if [ -z "$windowsBuild" ]; then
    echo "SKIPPED: no Windows build was given (configure with" \
        "-DVLNOKAN_WINDOWS_BUILD=/path/to/the/cross/build, as scripts/test.sh does)"
    exit 77
fi
root=$(cd "$(dirname "$0")/../.." && pwd)
fail() {
    echo "FAILED: $*"
    exit 1
}

zip=$(bash "$root/scripts/package-windows.sh" "$windowsBuild" "$out") || fail "package-windows.sh"
unpacked=$out/unpacked
rm -rf "$unpacked"
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$zip") || fail "$zip does not unpack"
folder=$(basename "$zip" .zip)
contents=$(cd "$unpacked" && find . -type f | sort | tr '\n' ' ')
expected="./$folder/LICENSE.txt ./$folder/README.txt ./$folder/THIRD-PARTY-NOTICES.txt ./$folder/vlnokan-calc.exe "
[ "$contents" = "$expected" ] || fail "the zip holds $contents, not $expected"
for text in LICENSE.txt README.txt THIRD-PARTY-NOTICES.txt; do
    perl -ne 'exit 1 if /(?<!\r)\n/' "$unpacked/$folder/$text" || fail "$text has lines without CR LF"
done

# Only DLLs that come with every Windows.
dlls=$(x86_64-w64-mingw32-objdump -p "$unpacked/$folder/vlnokan-calc.exe" |
    sed -n 's/^\tDLL Name: //p' | tr '[:lower:]' '[:upper:]' | sort | tr '\n' ' ')
[ "$dlls" = "KERNEL32.DLL MSVCRT.DLL " ] || fail "vlnokan-calc.exe needs the DLLs $dlls"

# shellcheck source=tests/windows/wine-prefix.sh
source "$(dirname "$0")/wine-prefix.sh"
(cd "$work" && "$wine" "$unpacked/$folder/vlnokan-calc.exe" 2.4 85 40 300 >run.out 2>run.err)
status=$?
[ "$status" = 0 ] || fail "the unpacked vlnokan-calc.exe ended with $status: $(cat "$work/run.err")"
grep -qx $'3/4 Lg = 185\r' "$work/run.out" || fail "the unpacked program printed: $(cat "$work/run.out")"
echo "$zip: $contents; runs under Wine"
