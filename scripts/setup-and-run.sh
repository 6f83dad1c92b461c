#!/usr/bin/env bash
# Installs the dependencies, builds, installs the program into portable/ (projects live
# there, so a rebuild never empties it) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build
cmake --install build --prefix portable >/dev/null
exec portable/brindlewocket "$@"
