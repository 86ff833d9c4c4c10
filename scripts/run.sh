#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ -x build/bin/tarvelle ]; then
  exec build/bin/tarvelle "$@"
fi
echo "Built into build/bin/; the editor is not part of this build yet."
