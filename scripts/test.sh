#!/usr/bin/env bash
# Installs what is missing, checks that every C++ file is formatted, builds the test
# configuration and runs the whole suite under the address, leak and
# undefined-behaviour sanitizers; then the scan's tests under the thread sanitizer;
# then, with clang, builds the fuzz targets and fuzzes each for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/check-format.sh
cmake --preset test
cmake --build --preset test
ctest --preset test -j "$(nproc)"

cmake --preset tsan
cmake --build --preset tsan
ctest --preset tsan -j "$(nproc)"

if command -v clang++ >/dev/null; then
    cmake --preset fuzz
    cmake --build --preset fuzz
    # The targets run one after another, each for VERDAXIL_FUZZ_SECONDS (20 s).
    ctest --preset fuzz
fi
