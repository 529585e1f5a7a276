#!/usr/bin/env bash
# Builds the system layer's Windows half and its tests with the MinGW-w64 cross
# compiler and runs them under wine, headless, in a wine prefix of their own
# that is removed afterwards. Exit 77 (a skip for CTest) when the cross
# compiler or wine is missing. As root, where a private mount namespace can
# be had, a 1 MiB tmpfs gives the full-disk row a full disk.
#   run-under-wine.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
source_dir=$1
build_dir=$2
compiler=x86_64-w64-mingw32-g++-posix
if ! command -v "$compiler" >/dev/null; then
  echo "SKIP: $compiler is not installed (Debian package g++-mingw-w64-x86-64-posix; tools/install-deps.sh)"
  exit 77
fi
wine=$(command -v wine64 || command -v wine || true)
if [ -z "$wine" ]; then
  echo "SKIP: wine is not installed (Debian packages wine, wine64; tools/install-deps.sh)"
  exit 77
fi
mkdir -p "$build_dir"
exe=$build_dir/sysfile_tests.exe
if [ ! -f "$exe" ] || [ -n "$(find "$source_dir/sys" "$source_dir/tests/sys" -newer "$exe" -name '*.[ch]*' | head -1)" ]; then
  "$compiler" -std=c++20 -O0 -Wall -Wextra -static -I"$source_dir" \
    "$source_dir/sys/sysfile_win32.cpp" "$source_dir/tests/sys/sysfile_tests.cpp" -o "$exe" || exit 1
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/skm-wine.XXXXXX")
cleanup() {
  WINEPREFIX=$scratch/prefix wineserver -k >/dev/null 2>&1 || true
  rm -rf "$scratch"
}
trap cleanup EXIT
export WINEPREFIX=$scratch/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY
cp "$exe" "$scratch/"
cd "$scratch"

run='"$0" wineboot --init >/dev/null 2>&1; "$0" ./sysfile_tests.exe'
full="$scratch/full"
if [ "$(id -u)" -eq 0 ] && command -v unshare >/dev/null && unshare -m --propagation private true 2>/dev/null; then
  mkdir -p "$full"
  exec 3>&1
  unshare -m --propagation private sh -c \
    'mount -t tmpfs -o size=1m tmpfs "$1" 2>/dev/null && export SKM_FULL_FOLDER="Z:$1"; shift; '"$run" \
    "$wine" "$full" 2>&1 | grep -v -e 'rundll32.exe' -e 'has been updated' -e 'configuration directory'
  status=${PIPESTATUS[0]}
else
  sh -c "$run" "$wine" 2>&1 | grep -v -e 'rundll32.exe' -e 'has been updated' -e 'configuration directory'
  status=${PIPESTATUS[0]}
fi
exit "$status"
