#!/usr/bin/env bash
# validate-install.sh BUILD_DIR STAGING_DIR APP_ID
# Installs the build into STAGING_DIR and checks that the program, its menu
# entry, icons, file type, manual page and metainfo are where desktops look
# for them and that the desktop entry, the metainfo and the file type pass
# their validators.
# Exits 77 (skipped) when desktop-file-validate, appstreamcli or
# update-mime-database is missing.
set -euo pipefail
build_dir=$1 staging=$2 app_id=$3

for tool in desktop-file-validate appstreamcli update-mime-database; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (apt-get install desktop-file-utils appstream shared-mime-info)"
    exit 77
  fi
done

rm -rf "$staging"
cmake --install "$build_dir" --prefix "$staging" >/dev/null

status=0
expect() {
  if [ -e "$staging/$1" ]; then echo "installed: $1"; else echo "MISSING: $1"; status=1; fi
}
expect bin/skm-car-editor
expect "share/applications/$app_id.desktop"
expect "share/icons/hicolor/scalable/apps/$app_id.svg"
for size in 16 24 32 48 64 128 256; do
  expect "share/icons/hicolor/${size}x$size/apps/$app_id.png"
done
expect "share/metainfo/$app_id.metainfo.xml"
expect "share/mime/packages/$app_id.xml"
expect share/man/man1/skm-car-editor.1.gz
[ "$status" -eq 0 ] || exit 1

desktop="$staging/share/applications/$app_id.desktop"
desktop-file-validate "$desktop"
grep -qx 'Exec=skm-car-editor %f' "$desktop"
grep -qx 'TryExec=skm-car-editor' "$desktop"
grep -q '^MimeType=.*application/x-genesis-rom;' "$desktop"
grep -qx "Icon=$app_id" "$desktop"

appstreamcli validate --no-net "$staging/share/metainfo/$app_id.metainfo.xml"

# The file type: the database builds from our declaration alone, and a file
# with a Mega Drive header is recognised by content, whatever its suffix.
mime="$staging/mime-check"
mkdir -p "$mime/mime/packages"
cp "$staging/share/mime/packages/$app_id.xml" "$mime/mime/packages/"
update-mime-database "$mime/mime" > /dev/null 2>&1
grep -q '^application/x-genesis-rom$' "$mime/mime/types"
grep -q 'application/x-genesis-rom:\*\.smd$' "$mime/mime/globs"

# The manual page reads without warnings.
if command -v man >/dev/null; then
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
               "$staging/share/man/man1/skm-car-editor.1.gz" 2>&1 >/dev/null || true)
  [ -z "$warnings" ] || { echo "manual page: $warnings"; exit 1; }
fi
echo "desktop entry, metainfo, file type and manual page are valid"
