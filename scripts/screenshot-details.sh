#!/usr/bin/env bash
# Saves a picture of the antenna details window for the default antenna as docs/details.png,
# drawn under a virtual X server: opened from the main window, every part at full height, the
# simulation part with the quick simulation's results when they are cached
# (vlnokan-calc --simulate 2.4 85 40 300), otherwise as it opens.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
target=vlnokan-details-shot
source scripts/window-build.sh
XDG_RUNTIME_DIR=$runtime xvfb-run -a -s "-screen 0 1280x2400x24" \
    "$build/app/vlnokan-details-shot" docs/details.png
echo "docs/details.png written"
