#!/usr/bin/env bash
# Installs what is missing, builds Vlnokan and runs every test through ctest: the optimised build
# (where the compiler is free to move floating-point operations) with all tests, then the
# arithmetic and the conversions again under AddressSanitizer and UndefinedBehaviorSanitizer. The
# command-line calculator is also cross-built for Windows; the optimised build's tests run it
# under Wine and compare it with the Linux one.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)

cmake -S . -B build/test-windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/test-windows -j "$jobs"

cmake -S . -B build/test-release -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVLNOKAN_WINDOWS_BUILD="$PWD/build/test-windows" >/dev/null
cmake --build build/test-release -j "$jobs"
ctest --test-dir build/test-release --output-on-failure -j "$jobs"

cmake -S . -B build/test-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVLNOKAN_WITH_GUI=OFF -DVLNOKAN_SANITIZE=ON >/dev/null
cmake --build build/test-sanitize -j "$jobs"
ctest --test-dir build/test-sanitize --output-on-failure -j "$jobs"
