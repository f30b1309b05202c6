#!/usr/bin/env bash
# Fails when a source file includes a header of a layer above its own.
# The layers, lowest first (each may include only its own and lower ones):
#   platform < core < objects < physics < graphics < gameplay
#            < levels < editor < engine (the application)
# The README's "Layers" section says what each holds.
set -uo pipefail
ROOT="$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)"
cd "$ROOT"

LAYERS=(platform core objects physics graphics gameplay levels editor engine)

# The layer index of a path, or -1 for a path outside the layers.
rank() {
    case "$1" in
        platform/*) echo 0 ;;
        core/*) echo 1 ;;
        objects/*) echo 2 ;;
        physics/*) echo 3 ;;
        graphics/*) echo 4 ;;
        gameplay/*) echo 5 ;;
        levels/*) echo 6 ;;
        editor/*) echo 7 ;;
        engine/*) echo 8 ;;
        *) echo -1 ;;
    esac
}

status=0
checked=0
while IFS= read -r file; do
    own=$(rank "$file")
    [ "$own" -lt 0 ] && continue
    checked=$((checked + 1))
    while IFS=: read -r line header; do
        target=$(rank "$header")
        if [ "$target" -gt "$own" ]; then
            echo "check_layers: $file:$line includes \"$header\": layer ${LAYERS[$target]} is above ${LAYERS[$own]}"
            status=1
        fi
    done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" |
             sed 's/^\([0-9]*\):[^"]*"\([^"]*\)".*/\1:\2/')
done < <(find platform core engine objects physics graphics gameplay levels editor \
              \( -name '*.h' -o -name '*.cpp' \) | sort)

if [ "$status" -eq 0 ]; then
    echo "check_layers: $checked files, every include points to its own or a lower layer"
else
    echo "check_layers: FAILED (layers, lowest first: ${LAYERS[*]})"
fi
exit $status
