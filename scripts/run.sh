#!/usr/bin/env bash
# Installs what is missing, builds Vlnokan and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/release
if [ -x build/release/app/vlnokan ]; then
    exec build/release/app/vlnokan "$@"
fi
exec build/release/cli/vlnokan-calc 2.4 85 40 300
