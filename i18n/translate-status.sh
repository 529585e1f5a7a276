#!/usr/bin/env bash
# Lists the window's source texts that have no finished translation in a .ts
# file, after bringing a scratch copy of it up to date with the sources (the
# .ts file itself is left as it is):
#   i18n/translate-status.sh [TS_FILE] [LUPDATE]
# TS_FILE defaults to i18n/skm-car-editor_de.ts, LUPDATE to lupdate from Qt 6.
# Exit status 0 when every text is translated, 1 when some are not (they are
# printed, one a line), 2 when lupdate or the file is missing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
ts=${1:-$here/skm-car-editor_de.ts}
lupdate=${2:-$(command -v lupdate6 || command -v /usr/lib/qt6/bin/lupdate || command -v lupdate || true)}
[ -x "$lupdate" ] || { echo "translate-status: lupdate not found (qt6-l10n-tools)" >&2; exit 2; }
[ -f "$ts" ] || { echo "translate-status: no file $ts" >&2; exit 2; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$ts" "$scratch/check.ts"
# The same sources as the build's update_translations (i18n/CMakeLists.txt).
"$lupdate" -silent -no-obsolete -locations none -I "$root" \
  "$root"/editor/*/*.cpp "$root"/editor/*/*.h "$root"/editor/*/*.ui "$root"/external/*.cpp "$root"/recovery/*.cpp "$root"/base/*.h "$root"/exchange/scopetext.cpp "$root"/exchange/pixelclipboard.cpp "$root"/app/main.cpp \
  -ts "$scratch/check.ts" >/dev/null

# A message is unfinished when its translation is marked so or is empty, or
# when it does not use the same placeholders (%1, %2, ...) as its source.
awk '
  function placeholders(s,    seen, out, n) {
    while (match(s, /%[0-9]+/)) { seen[substr(s, RSTART + 1, RLENGTH - 1) + 0] = 1; s = substr(s, RSTART + RLENGTH) }
    for (n = 1; n <= 99; n++) if (n in seen) out = out " %" n
    return out
  }
  /<source>/ { insource = 1; text = "" }
  insource { line = $0; sub(/.*<source>/, "", line); if (line ~ /<\/source>/) { sub(/<\/source>.*/, "", line); insource = 0 }
             text = (text == "" ? line : text "\\n" line); next }
  /<translation/ && (/type="unfinished"/ || /<translation><\/translation>/ || /<translation\/>/) { print text; missing++; next }
  /<translation/ { intranslation = 1; translated = "" }
  intranslation { translated = translated $0
                  if ($0 ~ /<\/translation>/) { intranslation = 0
                    if (placeholders(translated) != placeholders(text)) { print text " (placeholders differ)"; missing++ } } }
  END { exit missing > 0 ? 1 : 0 }
' "$scratch/check.ts"
