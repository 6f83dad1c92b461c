#!/usr/bin/env bash
# The GUI benchmarks: preview refresh of a 14 MB project against a bare setPlainText, and
# start-up to the first painted main window against a minimal Qt window program.
# Usage: bench/gui_bench.sh [BUILD_DIR] [--offscreen]   (BUILD_DIR default: build-gui)
# Without --offscreen the programs run on a virtual X server (xvfb-run), as on a desktop.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build-gui}"
[ $# -gt 0 ] && shift
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target preview_bench startup_window minimal_window startup_bench -j2 >/dev/null
run() { if [ "${1:-}" = "--offscreen" ]; then shift; QT_QPA_PLATFORM=offscreen "$@"; else xvfb-run -a "$@"; fi; }
mode="${1:-}"
echo "== preview refresh"
run $mode "$build/bench/preview_bench" --runs 5
echo "== start-up"
run $mode "$build/bench/startup_bench" "$build/bench/startup_window" "$build/bench/minimal_window" --runs 15
