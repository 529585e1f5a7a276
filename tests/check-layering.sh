#!/usr/bin/env bash
# Fails when a widget-free folder includes the window: the core libraries
# stay below editor/ and app/, and only the window includes the generated form.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
found=$(grep -rnE '#[[:space:]]*include[[:space:]]*[<"]((app|editor)/|ui_)' \
          rom palette car view exchange animation document recovery external patch cli 2>/dev/null || true)
if [ -n "$found" ]; then
  echo "the core includes the window:"
  echo "$found"
  exit 1
fi
echo "layering: no core file includes app/, editor/ or a form header"
