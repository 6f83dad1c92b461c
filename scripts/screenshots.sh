#!/usr/bin/env bash
# Pictures of the main window (each page, each menu, the style popup, the preview without its
# options bar) and of the ReadMe output dialog, with the sample project open, taken under a
# virtual X server and saved to docs/screenshots/. BUILD_DIR picks the build folder (default:
# build-gui).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build-gui}"
cmake --build "$build" --target main_screenshots
mkdir -p docs/screenshots
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb \
  "$build/tests/main_screenshots" docs/screenshots data/sample
ls docs/screenshots
