#!/usr/bin/env bash
# The object-data generator run into a folder of its own: each asset list
# ends with a line end (the editor appends its lines after it) and is the
# shipped one, byte for byte.
set -uo pipefail
ROOT="$(cd "$(dirname "$(readlink -f "$0")")/../.." && pwd)"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

/usr/bin/python3 "$ROOT/tools/gen_objects.py" "$out" || fail "gen_objects.py exited with $?"
for list in texturelist.txt audiolist.txt; do
    file="$out/objects/$list"
    [ -s "$file" ] || fail "$list: not written, or empty"
    [ "$(tail -c 1 "$file" | od -An -c | tr -d ' ')" = '\n' ] ||
        fail "$list does not end with a line end; its last line: \"$(tail -n 1 "$file")\""
    cmp -s "$file" "$ROOT/data/objects/$list" ||
        fail "$list is written otherwise than the shipped one: $(diff "$file" "$ROOT/data/objects/$list" | head -5)"
done
echo "passed"
