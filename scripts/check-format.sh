#!/usr/bin/env bash
# Fails, naming the files, when a C++ file of the repository is not formatted as
# .clang-format says. Uses Debian's clang-format-14, which install-deps.sh installs:
# another version formats some constructs differently.
set -euo pipefail
cd "$(dirname "$0")/.."

unformatted=()
while IFS= read -r -d '' file; do
    clang-format-14 --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done < <(git ls-files -z --cached --others --exclude-standard -- '*.cpp' '*.h')

if [ ${#unformatted[@]} -gt 0 ]; then
    echo "Not formatted (run: clang-format-14 -i FILE):" >&2
    printf '  %s\n' "${unformatted[@]}" >&2
    exit 1
fi
