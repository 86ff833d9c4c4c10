#!/usr/bin/env bash
# Takes the pictures of the real windows that the README and the help pages show, from the
# built program under a virtual X server (offscreen where there is none):
#   scripts/screenshots.sh [OUTPUT_FOLDER]   (default: resources/help/images)
# The test command runs it into a scratch folder, so it keeps working.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-resources/help/images}
mkdir -p "$out"
shots=${TARVELLE_BUILD:-build}/tests-bin/tarvelle_screenshots
[ -x "$shots" ] || { echo "build first: $shots is missing"; exit 1; }
if command -v xvfb-run >/dev/null 2>&1; then
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" "$shots" "$out"
else
  QT_QPA_PLATFORM=offscreen "$shots" "$out"
fi
echo "pictures in $out: $(ls "$out" | wc -l)"
