#!/usr/bin/env bash
# Pictures of the new-project wizard's three pages (and a refused name) and of the project
# management window under a virtual X server, saved to docs/screenshots/. BUILD_DIR picks the
# build folder (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
cmake --build "$build" --target wizard_screenshots
mkdir -p docs/screenshots
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb \
  "$build/tests/wizard_screenshots" docs/screenshots
ls docs/screenshots
