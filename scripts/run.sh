#!/usr/bin/env bash
# The main job: installs what is missing, builds the Linux player, makes a sample RealMedia
# clip (RealVideo and RealAudio) and plays it in Pexalo. With a display it plays until
# Escape; without one it plays on a virtual display for a few seconds, saves a screenshot
# to build/linux/pexalo.png and ends.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
cmake --preset linux >/dev/null
cmake --build --preset linux -j2 --target Pexalo sample_clip
pexalo=$PWD/build/linux/bin/Pexalo
clip=$PWD/build/linux/sample.rm

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Playing $clip in Pexalo; Escape ends it."
  exec "$pexalo" "$clip"
fi

# A virtual display has no sound device either: the sound system's complaints stay off the terminal.
play_headless() {
  "$pexalo" "$clip" 2>/dev/null &
  local pid=$! window=""
  for _ in $(seq 100); do
    window=$(xdotool search --all --pid "$pid" --name '^Form1$' 2>/dev/null | head -n1) && [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "Pexalo showed no window"; kill "$pid" 2>/dev/null; return 1; }
  sleep 4
  import -window root build/linux/pexalo.png
  xdotool windowfocus --sync "$window" key Escape
  wait "$pid"
  echo "Played $clip on a virtual display; screenshot: build/linux/pexalo.png"
}
export pexalo clip
scripts/with-display.sh bash -c "$(declare -f play_headless); play_headless"
