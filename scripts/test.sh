#!/usr/bin/env bash
# Runs every test through ctest with a private runtime folder and no display.
set -euo pipefail
build=${1:-build}
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
cd "$build"
ctest --output-on-failure -j "$(nproc)" --timeout 300
