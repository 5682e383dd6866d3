#!/usr/bin/env bash
# Installs what is missing, builds Vlnokan and runs every test through ctest: the optimised build
# (where the compiler is free to move floating-point operations) with all tests, then everything
# again under AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer, the window tests
# too, leaving out the tests labelled slow. The command-line calculator is also cross-built for
# Windows; the optimised build's tests run it under Wine and compare it with the Linux one.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
# A second run rebuilds only what changed, and ccache (installed above) serves what a clean
# folder would compile again.
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi

cmake -S . -B build/test-windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake "${launcher[@]}" >/dev/null
cmake --build build/test-windows -j "$jobs"

cmake -S . -B build/test-release -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVLNOKAN_WINDOWS_BUILD="$PWD/build/test-windows" "${launcher[@]}" >/dev/null
cmake --build build/test-release -j "$jobs"
ctest --test-dir build/test-release --output-on-failure -j "$jobs"

# The sanitizers' options are set on each test by tests/CMakeLists.txt; these cover what the tests
# start themselves.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=0
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake -S . -B build/test-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVLNOKAN_SANITIZE=ON "${launcher[@]}" >/dev/null
cmake --build build/test-sanitize -j "$jobs"
# The simulations of reference antennas (label slow) ran in the optimised build already.
ctest --test-dir build/test-sanitize --output-on-failure -j "$jobs" -LE slow
