#!/usr/bin/env bash
# Runs Pexalo.exe under Wine on a sample file, with the stand-in control registered in
# a throwaway prefix (build/win32/wineprefix-e2e), and saves a screenshot to
# build/win32/pexalo.png. On a virtual display it closes the player after the
# screenshot; on a real one it runs until Escape.
set -euo pipefail
SOURCE=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$SOURCE/build/win32"
cd "$SOURCE"

if [ -z "${PEXALO_RUN_INNER:-}" ]; then
  bash "$SOURCE/scripts/deps.sh"
  echo "building the win32 preset..."
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 -j2 >/dev/null
  real_display=0
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then real_display=1; fi
  PEXALO_RUN_INNER=$real_display exec "$SOURCE/scripts/with-display.sh" "$0" "$@"
fi

source "$SOURCE/tests/win32-road/lib.sh"
register_standin

# A short clip of our own making; the stand-in does not decode it, a real control would.
sample="$BUILD/sample/clip.rm"
if [ ! -f "$sample" ]; then
  mkdir -p "$(dirname "$sample")"
  ffmpeg -loglevel error -f lavfi -i testsrc=size=320x240:rate=10 -t 2 -c:v rv10 -y "$sample"
fi

start_player "\"$(windows_path "$sample")\""
wait_log '^invoke 215 '
probe window "$WAIT" >/dev/null
sleep 1   # let the control's window paint before the picture is taken
import -window root "$BUILD/pexalo.png"
echo "screenshot: $BUILD/pexalo.png"
if [ "$PEXALO_RUN_INNER" = 1 ]; then
  echo "Pexalo is running; press Escape in its window to end it."
  WAIT=86400
else
  probe close >/dev/null
fi
echo "Pexalo ended with status $(wait_exit)"
