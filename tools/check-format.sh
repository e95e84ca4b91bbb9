#!/usr/bin/env bash
# Fails when a C++ file that git tracks differs from what clang-format makes
# of it (.clang-format at the top); names each such file. With --fix, formats
# them in place instead.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
format=${CLANG_FORMAT:-clang-format}
if ! command -v "$format" >/dev/null; then
    echo "check-format: $format not found" >&2
    exit 2
fi
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
    "$format" -i "${files[@]}"
    exit 0
fi
bad=0
for f in "${files[@]}"; do
    if ! "$format" --dry-run --Werror "$f" >/dev/null 2>&1; then
        echo "$f differs from .clang-format"
        bad=1
    fi
done
exit $bad
