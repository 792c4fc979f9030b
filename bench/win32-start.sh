#!/usr/bin/env bash
# Start-up of Pexalo.exe under Wine: from process start to the control's 215 call (the
# media path handed over), next to a bare window program's start to its window shown,
# both built the same way and run alternately in the same prefix. Prints medians.
# Usage: bench/win32-start.sh [runs]   (after a win32 build)
set -euo pipefail
SOURCE=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$SOURCE/build/win32"
if [ -z "${PEXALO_BENCH_DISPLAY:-}" ]; then
  PEXALO_BENCH_DISPLAY=1 exec "$SOURCE/scripts/with-display.sh" "$0" "$@"
fi
RUNS=${1:-9}
source "$SOURCE/tests/win32-player/lib.sh"
BARE="$BUILD/player/win32/bench/BareWindow.exe"
[ -f "$PLAYER" ] && [ -f "$BARE" ] || fail "build the win32 preset first"

register_standin
# One server for the whole run, so neither program pays for starting it.
WINEPREFIX="$PEXALO_WINEPREFIX" wineserver -p

now_us() { date +%s%6N; }
# Starts a program and prints the microseconds until the log's clock line for `mark`.
measure() {
  local mark=$1; shift
  : >"$TMP/log"
  echo exit >"$TMP/commands"   # the stand-in ends the player once it is running
  local start
  start=$(now_us)
  wine_run "$@" || true
  local at
  at=$(sed -n "s/^clock $mark //p" "$TMP/log" | head -1)
  [ -n "$at" ] || fail "no clock line for $mark"
  echo $((at - start))
}
median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

measure 215 "$PLAYER" 'C:\clip.rm' >/dev/null   # warm-up: page cache and prefix
measure shown "$BARE" >/dev/null
: >"$TMP/player"; : >"$TMP/bare"
for _ in $(seq "$RUNS"); do
  measure 215 "$PLAYER" 'C:\clip.rm' >>"$TMP/player"
  measure shown "$BARE" >>"$TMP/bare"
done

ms() { awk '{ printf "%.1f", $1 / 1000 }'; }
printf '%-44s %10s %10s %10s\n' "program (median of $RUNS runs under Wine)" "median ms" "min ms" "max ms"
for row in "Pexalo.exe, start to the 215 call:player" "bare window program, start to shown:bare"; do
  file="$TMP/${row##*:}"
  printf '%-44s %10s %10s %10s\n' "${row%:*}" "$(median <"$file" | ms)" "$(sort -n "$file" | head -1 | ms)" \
    "$(sort -n "$file" | tail -1 | ms)"
done
