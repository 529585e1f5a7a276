#!/usr/bin/env bash
# check-deb.sh BUILD_DIR WORK_DIR PACKAGE VERSION
# Makes the Debian package from BUILD_DIR with cpack into WORK_DIR, checks its
# control fields, file list and maintainer scripts with dpkg-deb, installs and
# removes it in an empty dpkg root (nothing may stay behind) and runs lintian,
# which must report no errors.
# Exits 77 (skipped) when dpkg-deb, dpkg-shlibdeps or lintian is missing.
set -euo pipefail
build_dir=$1 work=$2 package=$3 version=$4

for tool in dpkg-deb dpkg-shlibdeps lintian; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (apt-get install dpkg-dev lintian)"
    exit 77
  fi
done

status=0
fail() { echo "FAIL: $*"; status=1; }

rm -rf "$work"
mkdir -p "$work"
cpack --config "$build_dir/CPackConfig.cmake" -B "$work" > "$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb="$work/${package}_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { cat "$work/cpack.log"; echo "FAIL: no $deb"; exit 1; }
echo "package: $deb"

# Control fields.
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = "$package" ] || fail "Package is $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version is $(field Version)"
[ "$(field Section)" = graphics ] || fail "Section is $(field Section)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture is $(field Architecture)"
field Maintainer | grep -q '@' || fail "Maintainer has no address"
depends=$(field Depends)
for lib in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libgif7 libwebpmux3; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
[ "$(field Suggests)" = "blastem | mednafen | mame" ] || fail "Suggests is $(field Suggests)"
[ "$(dpkg-deb --field "$deb" Description | wc -l)" -ge 3 ] || fail "Description has no long text"
dpkg-deb --field "$deb"

# Files: everything under /usr, and what desktops and man look for.
dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./|/|' > "$work/files"
grep -v '^/usr/' "$work/files" | grep -vx '/' && fail "files outside /usr"
icon=usr/share/icons/hicolor
for f in /usr/bin/skm-car-editor /usr/share/applications/org.example.SkmCarEditor.desktop \
         /$icon/scalable/apps/org.example.SkmCarEditor.svg \
         /$icon/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/org.example.SkmCarEditor.png \
         /usr/share/metainfo/org.example.SkmCarEditor.metainfo.xml \
         /usr/share/mime/packages/org.example.SkmCarEditor.xml /usr/share/man/man1/skm-car-editor.1.gz \
         /usr/share/doc/skm-car-editor/copyright /usr/share/doc/skm-car-editor/changelog.gz \
         /usr/share/lintian/overrides/skm-car-editor; do
  grep -qx "$f" "$work/files" || fail "missing $f"
done
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/metainfo/org.example.SkmCarEditor.metainfo.xml \
  | grep -q "<release version=\"$version\"" || fail "the AppStream release is not $version"

# Maintainer scripts: none are needed (desktop, icon, MIME and man caches are
# refreshed by the triggers of the packages that own them).
dpkg-deb --control "$deb" "$work/control"
scripts=$(ls "$work/control" | grep -vx -e control -e md5sums || true)
[ -z "$scripts" ] || fail "unexpected control files: $scripts"

# Install and remove in an empty dpkg root: everything the package put there
# must go again. Dependencies are not there, hence --force-depends.
root="$work/root"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
dpkg_root=(dpkg --root="$root" --log="$work/dpkg.log" --force-depends --force-not-root)
"${dpkg_root[@]}" --install "$deb" > "$work/dpkg-install.log" 2>&1 || { cat "$work/dpkg-install.log"; fail "dpkg --install"; }
[ -x "$root/usr/bin/skm-car-editor" ] || fail "dpkg --install did not place the program"
"${dpkg_root[@]}" --purge "$package" > "$work/dpkg-purge.log" 2>&1 || { cat "$work/dpkg-purge.log"; fail "dpkg --purge"; }
left=$(cd "$root" && find . -mindepth 1 ! -path './var' ! -path './var/lib' ! -path './var/lib/dpkg' \
         ! -path './var/lib/dpkg/*')
[ -z "$left" ] || fail "left behind after removal: $left"
echo "dpkg install and purge in an empty root: clean"

# lintian: no errors; warnings and notes are shown.
lintian --info --display-info --fail-on error "$deb" || fail "lintian reports errors"

[ "$status" -eq 0 ] && echo "package checks passed"
exit "$status"
