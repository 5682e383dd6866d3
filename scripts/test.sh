#!/usr/bin/env bash
# Installs what is missing, builds Vlnokan and runs every test through ctest: the optimised build
# (where the compiler is free to move floating-point operations) with all tests, then the
# arithmetic and the conversions again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)

cmake -S . -B build/test-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/test-release -j "$jobs"
ctest --test-dir build/test-release --output-on-failure -j "$jobs"

cmake -S . -B build/test-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVLNOKAN_WITH_GUI=OFF -DVLNOKAN_SANITIZE=ON >/dev/null
cmake --build build/test-sanitize -j "$jobs"
# The simulations of reference antennas (label slow) ran in the optimised build already.
ctest --test-dir build/test-sanitize --output-on-failure -j "$jobs" -LE slow
