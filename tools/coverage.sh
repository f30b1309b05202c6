#!/usr/bin/env bash
# Line coverage of the game's code by the test suite, per source folder and
# in total.  Builds the suite with clang's source-based coverage in
# build-coverage/, runs every CTest case headless (each process writes its own
# profile), merges the profiles and prints one line per folder.
# Not part of ./test: run it by hand before and after changing the tests.
#   tools/coverage.sh            # build, run, report
#   tools/coverage.sh --report   # report again from the last run
set -euo pipefail
ROOT="$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)"
BUILD="$ROOT/build-coverage"
PROFILES="$BUILD/profiles"
JOBS=${JOBS:-$(nproc)}

if [[ "${1:-}" != "--report" ]]; then
  flags="-fprofile-instr-generate -fcoverage-mapping"
  cmake -S "$ROOT" -B "$BUILD" -DPELLWICK_TESTS=ON -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fprofile-instr-generate" >/dev/null
  cmake --build "$BUILD" -j "$JOBS" >"$BUILD/build.log" 2>&1 || { tail -n 30 "$BUILD/build.log"; exit 1; }
  rm -rf "$PROFILES"
  mkdir -p "$PROFILES"
  # %p: one profile per test process (every case runs in its own process).
  LLVM_PROFILE_FILE="$PROFILES/%p.profraw" \
    xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1920x1080x24" \
    env SDL_AUDIODRIVER=dummy ctest --test-dir "$BUILD" -j "$JOBS" >"$BUILD/ctest.log" 2>&1 ||
    echo "coverage: some tests failed (see $BUILD/ctest.log); the figures still count them"
fi

llvm-profdata merge -sparse "$PROFILES"/*.profraw -o "$BUILD/merged.profdata"
objects=()
while IFS= read -r exe; do objects+=(-object "$exe"); done < <(
  find "$BUILD" -type f -executable \( -name 'test_*' -o -name 'engine_*' -o -name 'pellwick' \) |
    grep -v CMakeFiles | sort)
# The first object is named plainly, the rest with -object.
first=${objects[1]}
llvm-cov report "$first" "${objects[@]:2}" -instr-profile="$BUILD/merged.profdata" \
  -ignore-filename-regex='(^|/)(tests|bench|tools|build[^/]*)/|^/usr/' >"$BUILD/report.txt"

# Per folder: sum the Lines and Missed Lines columns (8 and 9) of each file row.
awk -v root="$ROOT/" '
  /^(Filename|-|TOTAL)/ || NF < 10 { next }
  {
    path = $1; sub(root, "", path)
    n = split(path, parts, "/"); dir = (n > 1) ? parts[1] : "."
    lines[dir] += $8; missed[dir] += $9
    total += $8; totalMissed += $9
  }
  END {
    for (d in lines)
      printf "%-12s %6d lines  %5.1f%%\n", d, lines[d], 100 * (lines[d] - missed[d]) / lines[d]
    printf "%-12s %6d lines  %5.1f%%\n", "TOTAL", total, 100 * (total - totalMissed) / total
  }' "$BUILD/report.txt" | sort
