#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest; then the same suite
# under AddressSanitizer and UndefinedBehaviorSanitizer, and each fuzz target for a minute.
# "--quick" runs the first suite only.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/install-web-test-deps.sh
scripts/build.sh
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure --timeout 900
[ "${1:-}" = "--quick" ] && exit 0
scripts/test-sanitized.sh
scripts/fuzz.sh
