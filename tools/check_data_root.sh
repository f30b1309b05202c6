#!/usr/bin/env bash
# Fails when a C++ file spells the data root out instead of using
# kDataRoot or DataPath() from core/DataRoot.h, the one place it is written.
set -uo pipefail
ROOT="$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)"
cd "$ROOT"

mapfile -t files < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h' |
    grep -v -e '^data/' -e '^core/DataRoot.h$')
if grep -n -F '../VXEngine/data' "${files[@]}"; then
    echo "check_data_root: FAILED (use DataPath() or kDataRoot from core/DataRoot.h on the lines above)"
    exit 1
fi
echo "check_data_root: ${#files[@]} files, the data root written only in core/DataRoot.h"
