#!/usr/bin/env bash
# Fails when any C++ file in the repository differs from what clang-format makes of it, and
# names the files: run `clang-format -i` on them.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
bad=()
for f in "${files[@]}"; do
    if ! clang-format --dry-run --Werror "$f" >/dev/null 2>&1; then
        bad+=("$f")
    fi
done
if [ ${#bad[@]} -ne 0 ]; then
    echo "Not formatted (run clang-format -i on them):" >&2
    printf '    %s\n' "${bad[@]}" >&2
    exit 1
fi
echo "clang-format: ${#files[@]} files formatted"
