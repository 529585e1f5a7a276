#!/usr/bin/env bash
# Builds the editor in release mode and makes its Debian package:
#   ./package.sh        -> build-package/package/skm-car-editor_<version>_<arch>.deb
# Install it with: sudo apt install ./build-package/package/skm-car-editor_*.deb
set -euo pipefail
cd "$(dirname "$0")"

tools/install-deps.sh
# Debian's hardening flags, as a Debian build of the package would use them.
export CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
export LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DSKM_BUILD_TESTS=OFF -DSKM_BUILD_BENCH=OFF \
      -DSKM_BUILD_TOOLS=OFF
cmake --build build-package --parallel
(cd build-package && cpack -G DEB)
ls -l build-package/package/*.deb
