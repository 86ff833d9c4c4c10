#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer (stopping at the
# first report) in build-asan/ and runs the whole test suite there, GUI suites included.
set -euo pipefail
cd "$(dirname "$0")/.."
generator=()
command -v ninja >/dev/null 2>&1 && [ ! -f build-asan/CMakeCache.txt ] && generator=(-G Ninja)
cmake -S . -B build-asan "${generator[@]}" -DCMAKE_BUILD_TYPE=Debug -DTARVELLE_SANITIZE=ON \
      -DTARVELLE_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan --parallel "$(nproc)"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# The web runtime's tests exercise JavaScript in the browser, the package and pictures checks
# the shipped files; the first suite runs them.
QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan --output-on-failure --timeout 900 -LE "web|package|pictures"
