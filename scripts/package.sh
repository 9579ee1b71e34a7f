#!/usr/bin/env bash
# Builds the Debian package (velqorandis_VERSION_ARCH.deb in build/) with
# CPack and checks it with lintian, which must report no error.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j2
(cd build && cpack -G DEB > /dev/null)
package=$(ls build/velqorandis_*.deb)
echo "$package"
# lintian runs as an ordinary user where it can (it refuses nothing as root, but warns).
lintian --fail-on error --info "$package"
