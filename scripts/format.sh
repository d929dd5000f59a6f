#!/usr/bin/env bash
# Formats the C++ sources with the repository's .clang-format.
#   scripts/format.sh           rewrites every file that differs
#   scripts/format.sh --check   lists the files that differ and exits 1 if there are any
set -euo pipefail
cd "$(dirname "$0")/.."

mode="${1:-}"
if [ -n "$mode" ] && [ "$mode" != "--check" ]; then
    echo "usage: scripts/format.sh [--check]" >&2
    exit 2
fi

mapfile -t files < <(git ls-files --cached --others --exclude-standard -- 'src/*' 'tests/*' 'bench/*' 'fuzz/*' 'tools/*' | grep -E '\.(cpp|h)$')

if [ "$mode" != "--check" ]; then
    clang-format -i "${files[@]}"
    exit 0
fi

differing=()
for file in "${files[@]}"; do
    if ! clang-format "$file" | cmp -s - "$file"; then
        differing+=("$file")
    fi
done

if [ ${#differing[@]} -gt 0 ]; then
    printf '%s\n' "${differing[@]}"
    echo "${#differing[@]} file(s) differ from .clang-format; run scripts/format.sh" >&2
    exit 1
fi
