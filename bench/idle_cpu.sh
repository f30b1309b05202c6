#!/usr/bin/env bash
# The game's CPU use on a still screen: starts GAME (default build/pellwick)
# on a temporary copy's layout (run/ next to VXEngine/, whose data/ is this
# repository's), lets it settle for SETTLE seconds (default 5), then reads
# the process's user and system time from /proc/PID/stat over SECONDS_IDLE
# (default 10) and prints the share of one core.  Needs a display: run it
# under xvfb-run -a -s "-screen 0 1920x1080x24".
set -euo pipefail
ROOT="$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)"
GAME="$(readlink -f "${1:-$ROOT/build/pellwick}")"
SETTLE=${SETTLE:-5}
SECONDS_IDLE=${SECONDS_IDLE:-10}

tree=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; rm -rf "$tree"' EXIT
mkdir -p "$tree/run" "$tree/VXEngine"
ln -s "$ROOT/data" "$tree/VXEngine/data"
cd "$tree/run"
SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} "$GAME" >"$tree/out.log" 2>&1 &
pid=$!
sleep "$SETTLE"

# Fields 14 and 15 of /proc/PID/stat: user and system time in clock ticks.
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
t0=$(ticks)
s0=$(date +%s.%N)
sleep "$SECONDS_IDLE"
t1=$(ticks)
s1=$(date +%s.%N)
awk -v a="$t0" -v b="$t1" -v hz="$hz" -v s0="$s0" -v s1="$s1" -v game="$GAME" 'BEGIN {
    printf "idle CPU: %.1f%% of one core over %.1f s (%s)\n", 100 * (b - a) / hz / (s1 - s0), s1 - s0, game }'
