#!/usr/bin/env bash
# The include check on a small tree of its own: an include of a lower layer
# passes, one of a higher layer fails with a line naming file, line and
# header.
set -uo pipefail
ROOT="$(cd "$(dirname "$(readlink -f "$0")")/../.." && pwd)"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
for d in tools platform core objects physics graphics gameplay levels editor; do
    mkdir -p "$tree/$d"
done
cp "$ROOT/tools/check_layers.sh" "$tree/tools/"
printf '#include "graphics/VXSprite.h"\n#include "core/Message.h"\n' > "$tree/gameplay/Ok.cpp"
printf '#pragma once\n' > "$tree/core/Message.h"

fail() { echo "FAILED: $*"; exit 1; }
out=$("$tree/tools/check_layers.sh") || fail "a clean tree was refused: $out"

printf '// x\n#include "engine/VXEngine.h"\n' > "$tree/graphics/Bad.cpp"
out=$("$tree/tools/check_layers.sh") && fail "an upward include passed: $out"
grep -qx 'check_layers: graphics/Bad.cpp:2 includes "engine/VXEngine.h": layer engine is above graphics' \
    <<<"$out" || fail "unexpected report: $out"
echo "passed"
