#!/usr/bin/env bash
# Fails when a folder includes one it must not: the layers run one way,
#   sys < base < rom < palette, car < view < exchange < animation, document
#   < recovery, external < editor < app,
# patch on QtCore and base alone, cli on the core (no document, no window),
# sys (the system calls) is plain C++ without Qt,
# and only the window includes the generated form header.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

declare -A allowed=(
  [sys]=""
  [base]="sys"
  [rom]="sys base"
  [palette]="sys base rom"
  [car]="sys base rom"
  [view]="sys base rom palette car"
  [exchange]="sys base rom palette car view"
  [animation]="sys base rom palette car view exchange"
  [document]="sys base rom palette car view exchange"
  [recovery]="sys base rom palette car view exchange document"
  [external]="sys base rom palette car view exchange document"
  [patch]="base"
  [cli]="sys base rom palette car view exchange animation patch"
  [editor]="sys base rom palette car view exchange animation document recovery external patch"
  [app]="sys base rom palette car view exchange animation document recovery external patch editor cli"
)

failed=0
for folder in "${!allowed[@]}"; do
  [ -d "$folder" ] || continue
  while IFS= read -r line; do
    file=${line%%:*}
    used=$(sed -E 's/.*#[[:space:]]*include[[:space:]]*"([a-z]+)\/.*/\1/' <<<"$line")
    [ "$used" = "$folder" ] && continue
    if [[ " ${allowed[$folder]} " != *" $used "* ]]; then
      echo "$folder may not include $used/: $line"
      failed=1
    fi
  done < <(grep -rnE '#[[:space:]]*include[[:space:]]*"[a-z]+/' "$folder" --include='*.h' --include='*.cpp' || true)
  if [ "$folder" != editor ] && grep -rnE '#[[:space:]]*include[[:space:]]*[<"]ui_' "$folder" >/dev/null; then
    echo "$folder includes a generated form header"
    failed=1
  fi
done
# patch is QtCore only: no QtGui classes.
if grep -rnE '#[[:space:]]*include[[:space:]]*<(QtGui/|QImage|QColor|QPainter|QPixmap)' patch base 2>/dev/null; then
  echo "patch/ and base/ use QtCore alone"
  failed=1
fi
# The settings file is opened only where what it keeps lives: the view
# options, the programs, the recent list.
while IFS= read -r line; do
  case "${line%%:*}" in
    editor/state/sessionoption.cpp|external/programsettings.cpp|editor/window/recentfiles.cpp) ;;
    *) echo "opens QSettings outside the homes of its keys: $line"; failed=1 ;;
  esac
done < <(grep -rnE 'QSettings(\(\)|[[:space:]]+[a-z][A-Za-z]*[;({]|>\(\))' base rom palette car view exchange animation \
           document recovery external patch cli editor app --include='*.h' --include='*.cpp' || true)
# Message boxes and file dialogs are the prompts' (and the start's, in app/).
while IFS= read -r line; do
  echo "a message box or file dialog outside the prompts: $line"
  failed=1
done < <(grep -rnE '#[[:space:]]*include[[:space:]]*<(QMessageBox|QFileDialog)>' base rom palette car view exchange \
           animation document recovery external patch cli editor --include='*.h' --include='*.cpp' \
         | grep -v '^editor/window/windowprompts\.cpp:' || true)
# Controllers know the document, the selection and the prompts, not each
# other: a controller's file includes no other controller's header.
while IFS= read -r line; do
  file=${line%%:*}
  own=$(basename "${file%.*}")
  used=$(sed -E 's/.*#[[:space:]]*include[[:space:]]*"editor\/controllers\/([a-z]+)\.h".*/\1/' <<<"$line")
  [ "$used" = "$own" ] && continue
  echo "a controller includes another controller: $line"
  failed=1
done < <(grep -rnE '#[[:space:]]*include[[:space:]]*"editor/controllers/[a-z]+controller\.h"' editor/controllers \
           --include='*.h' --include='*.cpp' || true)
# The system layer knows no Qt (its Windows half builds with a plain cross compiler).
if grep -rnE '#[[:space:]]*include[[:space:]]*<Q' sys 2>/dev/null; then
  echo "sys/ includes Qt"
  failed=1
fi
[ "$failed" -eq 0 ] || exit 1
echo "layering: every folder includes only the layers below it"
