#!/usr/bin/env bash
# Builds the tile-map reader's fuzz target with clang (libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer) in build-fuzz-tiles/ and runs it for a bounded
# time (FUZZ_SECONDS, 60 by default) from seeds made of the shipped tile maps
# and a few broken ones.  The floor grid's lines about the tiles (standard
# output) are dropped.  Exits non-zero when the build fails or the fuzzer
# finds a crash.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# FUZZ_BUILD names a build folder configured as below already (the sanitizer
# build of tests/run_sanitizers.sh): the target is built and run there.
out="${FUZZ_BUILD:-$root/build-fuzz-tiles}"
seconds="${FUZZ_SECONDS:-60}"
seeds="$out/seeds/tiles" corpus="$out/corpus/tiles"
mkdir -p "$seeds" "$corpus"

# The target links the game's libraries (tests/CMakeLists.txt), all built
# with the fuzzer's instrumentation.
flags="-g -O1 -fsanitize=fuzzer-no-link,address,undefined -fsanitize-recover=undefined"
[ -n "${FUZZ_BUILD:-}" ] || CC=clang CXX=clang++ cmake -S "$root" -B "$out" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLWICK_FUZZ=ON -DPELLWICK_BENCH=OFF \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$out" -j"${JOBS:-4}" --target fuzz_tiles_tilemap >/dev/null
cp "$out/tests/fuzz_tiles_tilemap" "$out/fuzz_tiles_tilemap"

for f in "$root"/data/objects/TilemapJsons/*.json; do
    [ -f "$f" ] && cp "$f" "$seeds/"
done
printf '[{"row": 1, "col": 1, "_name": "a", "m_data1": [0, 0, 1, 1], "AABB": ["w_1", 1, 2]}]' > "$seeds/small.json"
printf '[{"row": 1, "col": ' > "$seeds/truncated.json"
printf '[{"m_data1": [1e38, -1e-38, 0.1, 3.4028235e38], "m_data3Index": [2147483647]}]' > "$seeds/edges.json"

# RapidJSON 1.1's internal stack does arithmetic on a null pointer before its
# first allocation; that library line is the only one excused.
printf 'pointer-overflow:rapidjson/internal/stack.h\n' > "$out/ubsan.supp"

cd "$out"
rm -f crash-* leak-* timeout-* oom-*
UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$out/ubsan.supp" \
ASAN_OPTIONS=detect_leaks=1 ./fuzz_tiles_tilemap -max_total_time="$seconds" -timeout=10 \
    -close_fd_mask=1 \
    -rss_limit_mb=2048 -print_final_stats=1 "$corpus" "$seeds"
