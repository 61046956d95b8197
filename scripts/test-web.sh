#!/usr/bin/env bash
# The web page's tests. Builds build-web/ (scripts/build-web.sh), installs the
# browser driver from npm (web/tests/package-lock.json), then checks
#   - automaten-cli compiled to WebAssembly, on Node, against the golden
#     outputs recorded from the native one,
#   - the page's module, on Node, against the native automaten-cli (the
#     first argument, default build/app/automaten-cli),
#   - the page itself in Debian's headless Chromium, by keys and clicks.
set -euo pipefail
cd "$(dirname "$0")/.."
native=$(realpath "${1:-build/app/automaten-cli}")

./scripts/build-web.sh
if [[ ! -d web/tests/node_modules/playwright-core || ! -d web/tests/node_modules/@axe-core/playwright ]]; then
  (cd web/tests && npm ci --no-audit --no-fund --loglevel=error)
fi

tests/cli/golden/check.sh web/tests/cli-node.sh
cd web/tests
AUTOMATEN_CLI=$native node --test --test-reporter=spec module.test.js
AUTOMATEN_CLI=$native node --test --test-reporter=spec page.test.js
