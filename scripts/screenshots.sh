#!/usr/bin/env bash
# Pictures of every window of the program, taken under a virtual X server and saved to
# docs/screenshots/: the main window (each page, each menu, the style popup, the output
# dialog, with the sample project open), the basic-items page and the small dialogs, the
# long-text page and the history dialog, the new-project wizard and the management window.
# BUILD_DIR picks the build folder (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
mkdir -p docs/screenshots
shoot() {
  local program="$1"; shift
  cmake --build "$build" --target "$program"
  xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb \
    "$build/tests/$program" docs/screenshots "$@"
}
shoot main_screenshots data/sample
shoot basic_screenshots
shoot long_text_screenshots data
shoot wizard_screenshots
ls docs/screenshots
