#!/usr/bin/env bash
# Installs what is missing, builds the test configuration and runs the whole suite.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset test
cmake --build --preset test
ctest --preset test -j "$(nproc)"
