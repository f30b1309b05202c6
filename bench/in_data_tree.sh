#!/usr/bin/env bash
# Runs a command on a temporary copy of the game's layout: run/ (the working
# directory) next to VXEngine/data, a copy of this repository's data/, so a
# run never changes the repository.  The copy is removed afterwards.
#   bench/in_data_tree.sh build/bench/bench_match 150
set -euo pipefail
ROOT="$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)"
CMD="$(readlink -f "$1")"
shift
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/run" "$tree/VXEngine"
cp -r "$ROOT/data" "$tree/VXEngine/data"
cd "$tree/run"
"$CMD" "$@"
