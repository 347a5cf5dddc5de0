#!/usr/bin/env bash
# Installs what is missing, builds a release configuration installed under /usr and
# makes the Debian package of it: build/package/verdaxil_VERSION_ARCH.deb.
# Set JOBS to limit the build's parallel jobs (e.g. JOBS=1).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/package -G Ninja \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX=/usr \
    -DVERDAXIL_BUILD_TESTS=OFF \
    -DVERDAXIL_BUILD_BENCHMARKS=OFF
cmake --build build/package ${JOBS:+--parallel "$JOBS"}
rm -f build/package/verdaxil_*.deb
(cd build/package && cpack -G DEB)
ls build/package/verdaxil_*.deb
