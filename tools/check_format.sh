#!/usr/bin/env bash
# Fails when a C++ file (outside data/) is not formatted as .clang-format
# says; clang-format names each file and line.  Fix with
#   clang-format -i FILE...
set -uo pipefail
ROOT="$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)"
cd "$ROOT"

mapfile -t files < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h' | grep -v '^data/')
if clang-format --dry-run -Werror "${files[@]}"; then
    echo "check_format: ${#files[@]} files formatted"
else
    echo "check_format: FAILED (clang-format -i on the files named above)"
    exit 1
fi
