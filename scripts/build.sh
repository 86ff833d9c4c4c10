#!/usr/bin/env bash
# Configures and builds Tarvelle into build/ (program folder: build/bin/).
set -euo pipefail
cd "$(dirname "$0")/.."
generator=()
command -v ninja >/dev/null 2>&1 && [ ! -f build/CMakeCache.txt ] && generator=(-G Ninja)
cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}"
cmake --build build --parallel "$(nproc)"
