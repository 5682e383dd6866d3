#!/usr/bin/env bash
# Saves a picture of the antenna details window for the default antenna as docs/details.png,
# drawn under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
fi
cmake --build "$build" --target vlnokan-details-shot
runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
XDG_RUNTIME_DIR=$runtime xvfb-run -a -s "-screen 0 1280x1280x24" \
    "$build/details/vlnokan-details-shot" docs/details.png
echo "docs/details.png written"
