#!/usr/bin/env bash
# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer,
# then bounded libFuzzer runs over the object-file reader, the list readers
# and image header check, and the tile-map reader.
#
#   tests/run_sanitizers.sh            all of it
#   tests/run_sanitizers.sh asan       only the build and the test suite
#   tests/run_sanitizers.sh fuzz       only the build and the fuzz runs
#
# One clang build in build-asan/ serves both: every library and test is
# built with ASan, UBSan and the fuzzers' coverage instrumentation, so the
# game is compiled once.  The fuzz runs run at once, each for FUZZ_SECONDS
# (default 30); the corpora grow in build-asan/corpus/.  Exits non-zero on any failed test,
# sanitizer report or fuzzer finding.
set -euo pipefail

cd "$(dirname "$0")/.."
ROOT=$PWD
JOBS=${JOBS:-8}
FUZZ_SECONDS=${FUZZ_SECONDS:-30}
STEP=${1:-all}
BUILD=build-asan
# What failed, a few lines for each fault; ./test prints it last.
WHAT_FAILED=$BUILD/what-failed.txt

build() {
    local flags="-g -O1 -fno-omit-frame-pointer"
    flags+=" -fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined"
    flags+=" -fsanitize-ignorelist=$ROOT/tests/objects/files/ubsan_ignore.txt"
    # A folder configured by another compiler is made anew.
    grep -qs "CMAKE_CXX_COMPILER:.*clang" $BUILD/CMakeCache.txt || rm -rf build-asan
    CC=clang CXX=clang++ cmake -S . -B $BUILD -DPELLWICK_TESTS=ON -DPELLWICK_FUZZ=ON -DPELLWICK_TEST_TIMEOUT=480 \
        -DPELLWICK_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
    cmake --build $BUILD -j"$JOBS"
}

# intercept_tls_get_addr=0: clang 14's hook on __tls_get_addr takes any
# dynamic TLS block that starts 16 bytes into a page for one with the header
# of a glibc older than 2.25, and reads the two words before it as the
# block's start and size.  The GL driver, loaded at run time, has dynamic
# TLS; when one of its blocks lands there, the leak checker's thread tracer
# follows the garbage at exit and dies ("Tracer caught signal 11") after the
# test has passed.  Without the hook the leak check still scans every
# thread's stack and static TLS.
asan_ctest() {
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:intercept_tls_get_addr=0 \
    LSAN_OPTIONS="suppressions=$ROOT/tests/lsan_suppressions.txt:print_suppressions=0" \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1920x1080x24" \
        env SDL_AUDIODRIVER=dummy ctest --test-dir $BUILD --output-on-failure "$@"
}

# Cases the plain suite runs and this one leaves out: matches played to
# time-up on each map and the two same-seed matches (minutes under the
# sanitizers).  Match play stays here in the keyboard and pad roads through
# the whole game and in the match-level cases.
PLAIN_ONLY='^EachLevel/FullMatch\.|^Pads\.SameSeedAndSameInputEndAlike$'

run_asan() {
    echo "== the test suite under ASan+UBSan"
    # A test process that reports anything exits non-zero and fails its test.
    # Each case runs once.
    asan_ctest -j "${TEST_JOBS:-$JOBS}" -E "$PLAIN_ONLY" && return 0
    .ci/failed-cases $BUILD "ASan+UBSan suite" >>"$WHAT_FAILED"
    return 1
}

# Notes a fuzz run that failed, with the lines of its output that say why.
fuzz_failed() {
    local name=$1 log=$2
    local why
    why=$(grep -E 'ERROR:|SUMMARY:|runtime error:|Test unit written|Slowest unit|out-of-memory|deadly signal' "$log" | head -n 8)
    [ -n "$why" ] || why=$(tail -n 3 "$log")
    { echo "fuzz $name: failed"; cut -c1-300 <<<"$why" | sed 's/^/    /'; } >>"$WHAT_FAILED"
}

# fuzz TARGET CORPUS SEEDS [libFuzzer options...]
# Its output goes to build-asan/NAME.log; the run's last lines are printed.
fuzz() {
    local target=$1 corpus=$BUILD/corpus/$2 seeds=$3
    shift 3
    mkdir -p "$corpus"
    local name log
    name=$(basename "$target")
    log=$BUILD/$name.log
    echo "== $name for ${FUZZ_SECONDS} s"
    ASAN_OPTIONS=detect_leaks=1 "$BUILD/$target" -max_total_time="$FUZZ_SECONDS" \
        -print_final_stats=1 -artifact_prefix="$ROOT/$BUILD/" "$@" "$corpus" "$seeds" >"$log" 2>&1 ||
        { fuzz_failed "$name" "$log"; return 1; }
    grep -E '^(Done|stat::number_of_executed_units)' "$log" | sed "s/^/$name: /" || true
}

fuzz_tiles() {
    local log=$BUILD/fuzz_tiles_tilemap.log
    echo "== fuzz_tiles_tilemap for ${FUZZ_SECONDS} s"
    FUZZ_SECONDS=$FUZZ_SECONDS FUZZ_BUILD=$ROOT/$BUILD tests/run_tiles_fuzz.sh >"$log" 2>&1 ||
        { fuzz_failed fuzz_tiles_tilemap "$log"; return 1; }
    grep -E '^(Done|stat::number_of_executed_units)' "$log" | sed "s/^/fuzz_tiles_tilemap: /" || true
}

# The three fuzz runs at once: each is one process bounded by wall time, so
# together they last FUZZ_SECONDS, not three times that.
run_fuzz() {
    local seeds=$BUILD/seeds/objects
    mkdir -p "$seeds"
    cp tests/objects/files/*.json data/objects/savefile*.json data/objects/prefabs/*.json "$seeds"/
    # The first byte of an input picks the reader: 0 texture list, 1 audio
    # list, 2 image file.
    local lists=$BUILD/seeds/lists
    mkdir -p "$lists"
    { printf '\0'; cat data/objects/texturelist.txt; } > "$lists/texturelist"
    { printf '\1'; cat data/objects/audiolist.txt; } > "$lists/audiolist"
    for f in $(find data/img -size -24k -type f | sort | head -n 8); do
        { printf '\2'; cat "$f"; } > "$lists/image-$(basename "$f")"
    done

    local pids=()
    fuzz tests/objects/fuzz_object_loader objects "$seeds" -rss_limit_mb=4096 -max_len=65536 \
        -timeout=20 -dict="$ROOT/tests/objects/files/object_file.dict" &
    pids+=($!)
    fuzz tests/fuzz/fuzz_lists_images lists "$lists" -rss_limit_mb=2048 -max_len=65536 -timeout=10 &
    pids+=($!)
    fuzz_tiles &
    pids+=($!)
    local status=0 pid
    for pid in "${pids[@]}"; do wait "$pid" || status=1; done
    return $status
}

status=0
build || { mkdir -p $BUILD && echo "ASan+UBSan build: failed" >"$WHAT_FAILED"; exit 1; }
: >"$WHAT_FAILED"
case "$STEP" in
    asan) run_asan || status=1 ;;
    fuzz) run_fuzz || status=1 ;;
    all) run_asan || status=1
         run_fuzz || status=1 ;;
    *) echo "usage: $0 [asan|fuzz|all]"; exit 2 ;;
esac
if [ $status -ne 0 ]; then echo "run_sanitizers: FAILED"; else echo "run_sanitizers: passed"; fi
exit $status
