#!/usr/bin/env bash
# The tree stays in the house format (.clang-format at the top).
#
# Usage: scripts/check-format.sh          lists the sources that differ, exits 1 if any
#        scripts/check-format.sh --fix    formats them in place
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format || true)
if [ -z "$format" ]; then
    echo "clang-format is missing; scripts/install-deps.sh installs it" >&2
    exit 1
fi
mapfile -t sources < <(find core platform windows programs res bench tests -type f \
    \( -name '*.h' -o -name '*.cpp' \) | sort)
if [ "${1:-}" = --fix ]; then
    "$format" -i --style=file "${sources[@]}"
    exit 0
fi
differ=()
for f in "${sources[@]}"; do
    "$format" --style=file "$f" | cmp -s - "$f" || differ+=("$f")
done
if [ ${#differ[@]} -gt 0 ]; then
    printf '%s\n' "${differ[@]}" >&2
    echo "format check: ${#differ[@]} source(s) differ from .clang-format; scripts/check-format.sh --fix formats them" >&2
    exit 1
fi
echo "format check: ${#sources[@]} sources in the house format"
