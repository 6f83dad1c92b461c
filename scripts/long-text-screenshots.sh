#!/usr/bin/env bash
# Pictures of the long-text page (with sections shown and the template popup) and of the
# development-history dialog, with the sample project and the shipped templates, taken under a
# virtual X server and saved to docs/screenshots/. BUILD_DIR picks the build folder (default:
# build).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
cmake --build "$build" --target long_text_screenshots
mkdir -p docs/screenshots
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb \
  "$build/tests/long_text_screenshots" docs/screenshots data
ls docs/screenshots
