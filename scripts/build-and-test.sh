#!/usr/bin/env bash
# Installs the dependencies, builds everything in build/ and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS=-D_GLIBCXX_ASSERTIONS
cmake --build build
ctest --test-dir build --output-on-failure
