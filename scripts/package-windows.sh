#!/usr/bin/env bash
# Cross-builds vlnokan-calc.exe for 64-bit Windows with MinGW-w64 and packs it for download: a
# .zip holding one folder with the program, a README and the notices of the libraries linked into
# it, all text with Windows line ends. Prints the path of the .zip.
# usage: package-windows.sh [BUILD_DIR [OUT_DIR]]   (defaults: build/windows, the build folder)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build/windows}")
out=$(realpath -m "${2:-$build}")

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" --target vlnokan-calc >/dev/null

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=vlnokan-calc-$version-windows-x86_64
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/$name"

crlf() { perl -pe 's/\r?\n/\r\n/' "$1"; }
cp "$build/cli/vlnokan-calc.exe" "$stage/$name/"
crlf "$root/packaging/windows/README.txt" >"$stage/$name/README.txt"
crlf "$root/LICENSE" >"$stage/$name/LICENSE.txt"
# The MinGW-w64 runtime and winpthreads are linked in statically; their licences ask for their
# notices to go with the program. The GCC runtime's exception asks for none.
crlf /usr/share/doc/mingw-w64-common/copyright >"$stage/$name/THIRD-PARTY-NOTICES.txt"

mkdir -p "$out"
rm -f "$out/$name.zip"
(cd "$stage" && cmake -E tar cf "$out/$name.zip" --format=zip "$name")
echo "$out/$name.zip"
