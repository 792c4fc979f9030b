#!/usr/bin/env bash
# The whole test suite: native, native under ASan and UBSan, and 32-bit Windows under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh

presets=(linux linux-asan fuzz win32)
for preset in "${presets[@]}"; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

failed=0
for preset in "${presets[@]}"; do
  echo "== tests: $preset"
  scripts/with-display.sh ctest --preset "$preset" || failed=1
done
exit $failed
