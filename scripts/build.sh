#!/usr/bin/env bash
# Configures and builds Tarvelle into build/ (program folder: build/bin/). "--run" builds the
# programs only; otherwise the tests and benchmarks are built too.
set -euo pipefail
cd "$(dirname "$0")/.."
extras=ON
[ "${1:-}" = "--run" ] && extras=OFF
generator=()
command -v ninja >/dev/null 2>&1 && [ ! -f build/CMakeCache.txt ] && generator=(-G Ninja)
cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" \
  -DTARVELLE_BUILD_TESTS="$extras" -DTARVELLE_BUILD_BENCH="$extras"
cmake --build build --parallel "$(nproc)"
