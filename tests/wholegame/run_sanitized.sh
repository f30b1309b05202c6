#!/usr/bin/env bash
# The whole-game roads under AddressSanitizer and UndefinedBehaviorSanitizer:
# builds them in build-asan/ (the sanitizer build of tests/run_sanitizers.sh)
# and runs them under their own Xvfb.  Exits non-zero on a failed test or any
# sanitizer report.  Leaks inside libdbus (SDL's video start-up) and Mesa's
# driver are not ours and are suppressed.
set -euo pipefail
cd "$(dirname "$0")/../.."
JOBS=${JOBS:-8}
TESTS=(test_wholegame_pads test_wholegame_keys)

flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DPELLWICK_TESTS=ON \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-asan -j"$JOBS" --target "${TESTS[@]}"

suppressions=$(mktemp)
trap 'rm -f "$suppressions"' EXIT
printf 'leak:libdbus-1.so\nleak:swrast_dri.so\nleak:libGLX_mesa.so\nleak:libLLVM\n' > "$suppressions"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$suppressions
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The keyboard road's first match, 150 s in the plain build, lasts 30 s here.
export PELLWICK_FIRST_MATCH_SECONDS=30
status=0
for t in "${TESTS[@]}"; do
    echo "== $t (ASan+UBSan)"
    if ! xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1920x1080x24" \
        env SDL_AUDIODRIVER=dummy "build-asan/tests/wholegame/$t" --gtest_brief=1 >"build-asan/$t.log" 2>&1; then
        tail -n 60 "build-asan/$t.log"
        echo "FAILED: $t under the sanitizers"
        status=1
    else
        grep -E "^\[  (PASSED|FAILED)" "build-asan/$t.log" || true
    fi
done
exit $status
