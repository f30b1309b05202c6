#!/bin/sh
# Rebuilds every file of data/ except the shader sources, deterministically.
# usage: tools/make_data.sh [DATA_DIR]   (default: the repository's data/)
set -e
HERE=$(cd "$(dirname "$0")" && pwd)
DATA=${1:-$HERE/../data}
PY=/usr/bin/python3
mkdir -p "$DATA/img" "$DATA/audio" "$DATA/objects" "$DATA/font"
"$HERE/get_font.sh" "$DATA"
$PY "$HERE/gen_objects.py" "$DATA"
$PY "$HERE/gen_sounds.py" "$DATA"
$PY "$HERE/gen_images.py" "$DATA"
