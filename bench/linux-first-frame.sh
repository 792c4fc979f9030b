#!/usr/bin/env bash
# Time from start to the first video frame, and resident memory while playing: the Linux
# Pexalo next to `mpv --no-config` and `ffplay` on the same clip, each looping over the whole
# screen (as Pexalo's maximised window), with null audio, run alternately on a fresh virtual
# display with a black root window. Pexalo draws into its own window; VO=x11 (default) or
# VO=gpu (software OpenGL allowed) is mpv's video output; ffplay draws through SDL.
# Prints one line per run and player: "first_frame_ms PLAYER MS" and "rss_kib PLAYER KIB".
# bench/run.sh builds what it needs and prints the table. Usage: bench/linux-first-frame.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-7}
vo=${VO:-x11}
build=$PWD/build/linux
probe=$build/bench/linux/first-frame-probe
clip=$build/sample.rm
# The shipped player reads no engine options; this one takes null audio from the environment.
pexalo=$build/bench/linux/PexaloBench
[ -x "$pexalo" ] && [ -x "$probe" ] && [ -f "$clip" ] || { echo "build the linux preset and the probe first" >&2; exit 1; }

mpv_options=(--vo="$vo" --ao=null)
if [ "$vo" = gpu ]; then mpv_options+=(--gpu-sw=yes); fi
declare -A commands
commands[pexalo]="env PEXALO_ENGINE_OPTIONS=ao=null $pexalo"
commands[mpv]="mpv --no-config --really-quiet --loop-file=inf --fs ${mpv_options[*]}"
players=(pexalo mpv)
if command -v ffplay >/dev/null; then
  commands[ffplay]="env SDL_AUDIODRIVER=dummy ffplay -hide_banner -loglevel quiet -nostats -fs -loop 0"
  players+=(ffplay)
fi

fifo=$(mktemp -u); mkfifo "$fifo"
Xvfb -displayfd 3 -noreset -br -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
read -r number <"$fifo"; rm -f "$fifo"
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null || true' EXIT
export DISPLAY=":$number"

for ((run = 1; run <= runs; run++)); do
  echo "linux: run $run of $runs" >&2
  # A different player goes first each run.
  for ((i = 0; i < ${#players[@]}; i++)); do
    player=${players[(i + run) % ${#players[@]}]}
    # Word splitting of the command is wanted; the clip's path is passed whole.
    # shellcheck disable=SC2086
    if out=$("$probe" ${commands[$player]} "$clip" 2>/dev/null); then
      read -r ms kib <<<"$out"
      echo "first_frame_ms $player $ms"
      echo "rss_kib $player $kib"
    else
      echo "$player: no video in run $run" >&2
    fi
  done
done
