#!/usr/bin/env bash
# Lists texts the window shows that bypass translation: a sentence written as
# a plain string literal in the window, or in the layers below it whose
# messages reach its prompts and status bar (external/, recovery/), and a
# plain literal handed straight to a prompt or the status bar.
#   i18n/untranslated-texts.sh [ROOT]
# Exit status 0 when there are none, 1 when some are printed (file:line: text).
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"
found=$(
  {
    # "Unsaved changes to ...", "No such file ...", "Cannot load ...": a capitalised sentence.
    grep -rnE 'QStringLiteral\("([A-Z][a-z]* [a-z]+ [a-z]+|(Cannot|Could not|No) )' editor external recovery \
         --include='*.cpp' --include='*.h' || true
    # Any literal with words given to a prompt or to the status bar.
    grep -rnE '(showStatus|warn|inform|confirm|showFailure|askRecovery|showMessage)\(.*QStringLiteral\("[A-Za-z]+ [a-z]' \
         editor --include='*.cpp' || true
  } | sort -u)
if [ -n "$found" ]; then
  echo "$found"
  exit 1
fi
echo "untranslated-texts: every sentence the window shows goes through translation"
