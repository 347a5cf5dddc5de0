#!/usr/bin/env bash
# Installs what is missing, builds the program, writes the demo quote directory and
# starts the program on it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release
cmake --build --preset release

# The window's default directory is "D:\YYY". Drive D: of a demo Wine prefix leads to
# the demo data, so the program finds it without any change of settings.
demo="$PWD/build/demo"
rm -rf "$demo"
mkdir -p "$demo/prefix/dosdevices" "$demo/drive_d"
# A few hundred securities give the demo's last day a dozen or so recommended ones.
build/release/tools/make-demo-quotes --securities 300 "$demo/drive_d/YYY"
ln -s ../../drive_d "$demo/prefix/dosdevices/d:"
echo "The demo's name list, to import in the list window with 导入名称表: $demo/drive_d/YYY/名称表.txt"

WINEPREFIX="$demo/prefix" exec build/release/app/verdaxil "$@"
