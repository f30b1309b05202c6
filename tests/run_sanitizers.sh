#!/usr/bin/env bash
# The object tests under AddressSanitizer and UndefinedBehaviorSanitizer, and
# a bounded libFuzzer run over the object-file reader.
#
#   tests/run_sanitizers.sh            both steps
#   tests/run_sanitizers.sh asan       only the sanitizer build and its tests
#   tests/run_sanitizers.sh fuzz       only the fuzz run
#
# Builds in build-asan/ (g++) and build-fuzz/ (clang, libFuzzer).  The fuzz
# run lasts FUZZ_SECONDS (default 60); its corpus grows in
# build-fuzz/corpus/objects.  Exits non-zero on any failed test, sanitizer
# report or fuzzer finding.
set -euo pipefail

cd "$(dirname "$0")/.."
ROOT=$PWD
JOBS=${JOBS:-8}
FUZZ_SECONDS=${FUZZ_SECONDS:-60}
STEP=${1:-all}
OBJECT_TESTS=(test_objects_model test_objects_json test_objects_malformed test_objects_save)

run_asan() {
    local flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
    cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
    cmake --build build-asan -j"$JOBS" --target "${OBJECT_TESTS[@]}"
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    local failed=0
    for t in "${OBJECT_TESTS[@]}"; do
        echo "== $t (ASan+UBSan)"
        if ! "build-asan/tests/objects/$t" --gtest_brief=1; then
            echo "FAILED: $t under the sanitizers"
            failed=1
        fi
    done
    return $failed
}

run_fuzz() {
    local flags="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
    flags+=" -fsanitize-ignorelist=$ROOT/tests/objects/files/ubsan_ignore.txt"
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DPELLWICK_FUZZ=ON -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
    cmake --build build-fuzz -j"$JOBS" --target fuzz_object_loader
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
