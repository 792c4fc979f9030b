#!/usr/bin/env bash
# The whole test suite: native, native under ASan and UBSan, the fuzz harnesses' smoke runs,
# and 32-bit Windows under Wine; each a workflow of CMakePresets.json (configure, build, test).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh

failed=0
for workflow in linux linux-asan fuzz win32; do
  echo "== $workflow"
  scripts/with-display.sh cmake --workflow --preset "$workflow" || failed=1
done
exit $failed
