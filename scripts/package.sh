#!/usr/bin/env bash
# Builds the packages:
#   scripts/package.sh zip   build/win32/packages/Pexalo-1.00-win32.zip: both Windows programs
#                            side by side, the licence and a Japanese and an English readme
#   scripts/package.sh deb   build/linux/packages/pexalo_1.00_amd64.deb
#   scripts/package.sh       both
set -euo pipefail
cd "$(dirname "$0")/.."

case "${1:-both}" in
  zip) presets=(win32) ;;
  deb) presets=(linux) ;;
  both) presets=(win32 linux) ;;
  *) echo "usage: $0 [zip|deb]" >&2; exit 2 ;;
esac

bash scripts/deps.sh
for preset in "${presets[@]}"; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  (cd "build/$preset" && cpack >/dev/null)
  ls -1 "build/$preset"/packages/*
done
