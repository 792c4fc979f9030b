#!/usr/bin/env bash
# Builds the packages, each a workflow of CMakePresets.json:
#   scripts/package.sh zip   build/win32/packages/Pexalo-<version>-win32.zip: both Windows
#                            programs side by side, the licence and a Japanese and an English readme
#   scripts/package.sh deb   build/linux/packages/pexalo_<version>_amd64.deb
#   scripts/package.sh       both
set -euo pipefail
cd "$(dirname "$0")/.."

case "${1:-both}" in
  zip | deb) workflows=("$1") ;;
  both) workflows=(zip deb) ;;
  *) echo "usage: $0 [zip|deb]" >&2; exit 2 ;;
esac

bash scripts/deps.sh
for workflow in "${workflows[@]}"; do
  cmake --workflow --preset "$workflow" >/dev/null
  preset=$([ "$workflow" = zip ] && echo win32 || echo linux)
  ls -1 "build/$preset"/packages/*
done
