#!/usr/bin/env bash
# Time from start to the first video frame, and resident memory while playing: the Linux
# Pexalo next to `mpv --no-config` on the same clip with the same video output, each run
# on a fresh virtual display with a black root window. Medians of RUNS runs (default 7).
# VO=x11 (default) or VO=gpu (software OpenGL allowed for both).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-7}
vo=${VO:-x11}
build=build/linux

cmake --preset linux >/dev/null
cmake --build --preset linux -j2 --target Pexalo sample_clip >/dev/null
mkdir -p "$build/bench"
g++ -O2 -std=c++20 -Wall -Wextra bench/first-frame-probe.cpp -lX11 -o "$build/bench/first-frame-probe"
probe=$PWD/$build/bench/first-frame-probe
clip=$PWD/$build/sample.rm

engine_options="vo=$vo,ao=null"
mpv_options=(--vo="$vo" --ao=null)
if [ "$vo" = gpu ]; then
  engine_options+=",gpu-sw=yes"
  mpv_options+=(--gpu-sw=yes)
fi
pexalo=(env PEXALO_ENGINE_OPTIONS="$engine_options" "$PWD/$build/bin/Pexalo" "$clip")
# Looping, as Pexalo does, so that it still plays when its memory is read, and over the
# whole screen, as Pexalo's maximised window: both scale the video to the same area.
mpv=(mpv --no-config --really-quiet --loop-file=inf --fs "${mpv_options[@]}" "$clip")

fifo=$(mktemp -u); mkfifo "$fifo"
Xvfb -displayfd 3 -br -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
read -r number <"$fifo"; rm -f "$fifo"
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null || true' EXIT
export DISPLAY=":$number"

declare -A ms rss
for ((i = 1; i <= runs; i++)); do
  for player in pexalo mpv; do
    if [ $player = pexalo ]; then command=("${pexalo[@]}"); else command=("${mpv[@]}"); fi
    out=$("$probe" "${command[@]}" 2>/dev/null) || { echo "$player: no video in run $i" >&2; continue; }
    read -r t r <<<"$out"
    ms[$player]+="$t "; rss[$player]+="$r "
  done
done

median() { tr ' ' '\n' | grep . | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
range() { tr ' ' '\n' | grep . | sort -n | awk 'NR == 1 { lo = $1 } { hi = $1 } END { print lo "-" hi }'; }

echo "vo=$vo, $runs runs each, clip $(basename "$clip")"
printf '%-18s %22s %22s\n' "" "first frame, ms" "resident memory, MiB"
for player in pexalo mpv; do
  name=$([ $player = pexalo ] && echo Pexalo || echo "mpv --no-config")
  printf '%-18s %12s (%7s) %14s\n' "$name" "$(median <<<"${ms[$player]}")" "$(range <<<"${ms[$player]}")" \
    "$(median <<<"${rss[$player]}" | awk '{ printf "%.1f", $1 / 1024 }')"
done
