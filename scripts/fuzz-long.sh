#!/usr/bin/env bash
# Runs every fuzz harness for a long time (default 10 minutes each). A crashing input is
# left as crash-* in the build folder: copy it to fuzz/regressions/<harness>/ and fix.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}

bash scripts/deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
cd build/fuzz/fuzz
for harness in *_fuzzer; do
  [ -x "$harness" ] || continue
  echo "== $harness for ${seconds}s"
  mkdir -p "corpus/$harness"
  "./$harness" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 "corpus/$harness" \
    "../../../fuzz/regressions/$harness"
done
