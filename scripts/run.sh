#!/usr/bin/env bash
# Installs what running the editor needs, builds the programs, and starts the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --run
scripts/build.sh --run
exec build/bin/tarvelle "$@"
