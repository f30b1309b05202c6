#!/bin/sh
# Fetches the Bangers typeface (SIL Open Font License) from its npm package and
# converts the Latin WOFF file to TrueType.  usage: get_font.sh DATA_DIR
set -e
DATA=$1
VERSION=5.3.0
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
if (cd "$TMP" && npm pack --silent "@fontsource/bangers@$VERSION" >/dev/null 2>&1); then
    tar xzf "$TMP"/fontsource-bangers-$VERSION.tgz -C "$TMP"
    mkdir -p "$DATA/font"
    /usr/bin/python3 - "$TMP/package/files/bangers-latin-400-normal.woff" "$DATA/font/Bangers.ttf" <<'PY'
import sys
from fontTools.ttLib import TTFont
font = TTFont(sys.argv[1], recalcTimestamp=False)
font.flavor = None
font.save(sys.argv[2])
PY
    cp "$TMP/package/LICENSE" "$DATA/font/OFL.txt"
elif [ -f "$DATA/font/Bangers.ttf" ]; then
    echo "npm not reachable: keeping the existing Bangers.ttf" >&2
else
    echo "cannot fetch @fontsource/bangers" >&2
    exit 1
fi
