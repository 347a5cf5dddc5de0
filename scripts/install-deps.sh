#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need, if missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    clang libclang-rt-14-dev clang-format-14
    libxlsxwriter-dev python3-openpyxl
    qt6-base-dev qt6-charts-dev qt6-translations-l10n libgl-dev
    libgtest-dev libbenchmark-dev
    fonts-wqy-microhei
    desktop-file-utils appstream dpkg-dev man-db
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
