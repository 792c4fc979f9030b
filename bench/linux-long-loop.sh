#!/usr/bin/env bash
# Resident memory of Pexalo's window and engine while they loop a one-second clip, played
# 20 times as fast with null audio, on a virtual display when there is none. Prints
# "rss_after_loops_kib LOOPS KIB" after 100 and after 1,000 loops.
# bench/run.sh builds what it needs and prints the table. Usage: bench/linux-long-loop.sh
set -euo pipefail
cd "$(dirname "$0")/.."
build=$PWD/build/linux
looper=$build/bench/linux/LongLoop
clip=$build/bench/one-second.rm
[ -x "$looper" ] || { echo "build the linux preset first" >&2; exit 1; }
[ -f "$clip" ] || bash scripts/make-sample-clip.sh "$clip" 1
PEXALO_ENGINE_OPTIONS=ao=null,speed=20 scripts/with-display.sh "$looper" "$clip" 100 1000 2>/dev/null
