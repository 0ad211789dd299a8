#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in its own folder and
# runs the whole suite there. Any sanitizer report aborts its test, so the run must be silent.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-sanitize}
here=$PWD
[ -f "$build/build.ninja" ] ||
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTW_SANITIZE=ON \
    ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER}
start=$(date +%s)
cmake --build "$build" -j "$(nproc)"
echo "sanitizer build: $(( $(date +%s) - start )) s"
source scripts/sanitizer-env.sh "$here"
start=$(date +%s)
scripts/test.sh "$build"
echo "sanitizer tests: $(( $(date +%s) - start )) s"
