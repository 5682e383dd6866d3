#!/usr/bin/env bash
# Saves a picture of the antenna details window for the default antenna as docs/details.png,
# drawn under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
target=vlnokan-details-shot
source scripts/window-build.sh
XDG_RUNTIME_DIR=$runtime xvfb-run -a -s "-screen 0 1280x1280x24" \
    "$build/details/vlnokan-details-shot" docs/details.png
echo "docs/details.png written"
