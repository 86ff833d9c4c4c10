#!/usr/bin/env bash
# Installs the web runtime's test tools from web/package-lock.json into web/node_modules,
# unless every package is there already at the locked version. The browsers are Debian's
# Chromium and Firefox ESR (installed by install-deps.sh); nothing downloads a browser of its own.
set -euo pipefail
cd "$(dirname "$0")/../web"
if node -e '
  const want = require("./package-lock.json").packages;
  const have = require("./node_modules/.package-lock.json").packages;
  const same = Object.keys(want).every((k) => !k || (have[k] && have[k].version === want[k].version));
  process.exit(same ? 0 : 1);' 2>/dev/null; then
  exit 0
fi
npm ci --no-audit --no-fund --loglevel=error
