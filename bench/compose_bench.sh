#!/usr/bin/env bash
# Times brindlewocket-cli compose on a generated project of about 50 MB against cat and sed.
# Usage: bench/compose_bench.sh [BUILD_DIR] [--size-mb N] [--runs N]   (BUILD_DIR default: build)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
[ $# -gt 0 ] && shift
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DBW_BUILD_GUI=OFF -DBW_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target brindlewocket-cli compose_bench -j2 >/dev/null
"$build/bench/compose_bench" --cli "$build/src/cli/brindlewocket-cli" "$@"
