#!/usr/bin/env bash
# Builds the packages: build/win32/packages/Pexalo-1.00-win32.zip (both Windows programs
# side by side with a Japanese and an English readme) and build/linux/packages/*.deb.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
for preset in win32 linux; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  (cd "build/$preset" && cpack >/dev/null)
done
unzip -l build/win32/packages/Pexalo-1.00-win32.zip
for deb in build/linux/packages/*.deb; do
  dpkg-deb --info "$deb" | grep -E 'Package|Version|Depends'
  dpkg-deb --contents "$deb"
done
