#!/usr/bin/env bash
# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer,
# and bounded libFuzzer runs over the object-file reader and over the list
# readers and the image header check.
#
#   tests/run_sanitizers.sh            both steps
#   tests/run_sanitizers.sh asan       only the sanitizer build and its tests
#   tests/run_sanitizers.sh fuzz       only the fuzz runs
#
# Builds in build-asan/ (g++) and build-fuzz/ (clang, libFuzzer).  Each fuzz
# run lasts FUZZ_SECONDS (default 60 for the object files, a third of that
# for the lists and images); the corpora grow in build-fuzz/corpus/.  Exits
# non-zero on any failed test, sanitizer report or fuzzer finding.
set -euo pipefail

cd "$(dirname "$0")/.."
ROOT=$PWD
JOBS=${JOBS:-8}
FUZZ_SECONDS=${FUZZ_SECONDS:-60}
STEP=${1:-all}

run_asan() {
    local flags="-O1 -g -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
    cmake -S . -B build-asan -DPELLWICK_TESTS=ON -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
    cmake --build build-asan -j"$JOBS"
    echo "== the test suite under ASan+UBSan"
    # A test process that reports anything exits non-zero and fails its test.
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1 \
    LSAN_OPTIONS="suppressions=$ROOT/tests/lsan_suppressions.txt:print_suppressions=0" \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1920x1080x24" \
        env SDL_AUDIODRIVER=dummy ctest --test-dir build-asan --output-on-failure -j "$JOBS"
}

run_fuzz() {
    local flags="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
    flags+=" -fsanitize-ignorelist=$ROOT/tests/objects/files/ubsan_ignore.txt"
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DPELLWICK_FUZZ=ON -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
    cmake --build build-fuzz -j"$JOBS" --target fuzz_object_loader fuzz_lists_images
    local corpus=build-fuzz/corpus/objects seeds=build-fuzz/seeds/objects
    mkdir -p "$corpus" "$seeds"
    cp tests/objects/files/*.json "$seeds"/
    cp data/objects/savefile*.json data/objects/prefabs/*.json "$seeds"/ 2>/dev/null || true
    echo "== fuzz_object_loader for ${FUZZ_SECONDS} s"
    export ASAN_OPTIONS=detect_leaks=1
    (cd build-fuzz && ./tests/objects/fuzz_object_loader \
        -max_total_time="$FUZZ_SECONDS" -rss_limit_mb=4096 -max_len=65536 -timeout=20 \
        -dict="$ROOT/tests/objects/files/object_file.dict" -print_final_stats=1 \
        -artifact_prefix="$ROOT/build-fuzz/" \
        "$ROOT/$corpus" "$ROOT/$seeds")

    # The first byte of an input picks the reader: 0 texture list, 1 audio
    # list, 2 image file.
    corpus=build-fuzz/corpus/lists seeds=build-fuzz/seeds/lists
    mkdir -p "$corpus" "$seeds"
    { printf '\0'; cat data/objects/texturelist.txt; } > "$seeds/texturelist"
    { printf '\1'; cat data/objects/audiolist.txt; } > "$seeds/audiolist"
    for f in $(find data/img -size -24k -type f | sort | head -n 8); do
        { printf '\2'; cat "$f"; } > "$seeds/image-$(basename "$f")"
    done
    local seconds=$((FUZZ_SECONDS / 3))
    echo "== fuzz_lists_images for ${seconds} s"
    (cd build-fuzz && ./tests/fuzz/fuzz_lists_images \
        -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$ROOT/build-fuzz/" \
        "$ROOT/$corpus" "$ROOT/$seeds")
}

status=0
case "$STEP" in
    asan) run_asan || status=1 ;;
    fuzz) run_fuzz || status=1 ;;
    all) run_asan || status=1
         run_fuzz || status=1 ;;
    *) echo "usage: $0 [asan|fuzz|all]"; exit 2 ;;
esac
if [ $status -ne 0 ]; then echo "run_sanitizers: FAILED"; else echo "run_sanitizers: passed"; fi
exit $status
