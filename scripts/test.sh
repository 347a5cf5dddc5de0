#!/usr/bin/env bash
# Installs what is missing, builds the test configuration and runs the whole suite
# under the address, leak and undefined-behaviour sanitizers, then the scan's tests
# under the thread sanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset test
cmake --build --preset test
ctest --preset test -j "$(nproc)"

cmake --preset tsan
cmake --build --preset tsan
ctest --preset tsan -j "$(nproc)"
