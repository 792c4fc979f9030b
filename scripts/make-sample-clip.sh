#!/usr/bin/env bash
# Makes a genuine RealMedia clip with FFmpeg: RealVideo 2.0 (a moving colour test pattern)
# and RealAudio 1.0 (14.4K, a tone). Usage: make-sample-clip.sh OUT.rm [SECONDS]
set -euo pipefail
out=${1:?usage: make-sample-clip.sh OUT.rm [SECONDS]}
seconds=${2:-3}
mkdir -p "$(dirname "$out")"
ffmpeg -hide_banner -loglevel error -y \
  -f lavfi -i "testsrc=size=320x240:rate=25:duration=$seconds" \
  -f lavfi -i "sine=frequency=440:duration=$seconds:sample_rate=8000" \
  -c:v rv20 -b:v 400k -c:a real_144 -ac 1 -f rm "$out.part"
mv "$out.part" "$out"
