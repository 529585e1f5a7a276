#!/usr/bin/env bash
# validate-install.sh BUILD_DIR STAGING_DIR APP_ID
# Installs the build into STAGING_DIR and checks that the program, its menu
# entry, icon and metainfo are where desktops look for them and that the
# desktop entry and the metainfo pass their validators.
# Exits 77 (skipped) when desktop-file-validate or appstreamcli is missing.
set -euo pipefail
build_dir=$1 staging=$2 app_id=$3

for tool in desktop-file-validate appstreamcli; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (apt-get install desktop-file-utils appstream)"
    exit 77
  fi
done

rm -rf "$staging"
cmake --install "$build_dir" --prefix "$staging" >/dev/null

status=0
expect() {
  if [ -e "$staging/$1" ]; then echo "installed: $1"; else echo "MISSING: $1"; status=1; fi
}
expect bin/skmcareditor
expect "share/applications/$app_id.desktop"
expect "share/icons/hicolor/scalable/apps/$app_id.svg"
expect "share/metainfo/$app_id.metainfo.xml"
[ "$status" -eq 0 ] || exit 1

desktop="$staging/share/applications/$app_id.desktop"
desktop-file-validate "$desktop"
grep -qx 'Exec=skmcareditor %f' "$desktop"
grep -q '^MimeType=.*application/x-genesis-rom;' "$desktop"
grep -qx "Icon=$app_id" "$desktop"

appstreamcli validate --no-net "$staging/share/metainfo/$app_id.metainfo.xml"
echo "desktop entry and metainfo are valid"
