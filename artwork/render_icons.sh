#!/usr/bin/env bash
# Renders the desktop icons of both programs into an icon theme folder:
#   <theme>/<N>x<N>/apps/<name>.png for every size a theme should hold, and
#   <theme>/scalable/apps/<name>.svg.
# The SVGs in this folder are the pictures; Pexalo.ico and Ordinel.ico draw the same ones
# in the 16-colour palette that Windows icons of their kind use.
set -euo pipefail
theme=$1
here=$(dirname "$0")

for name in pexalo ordinel; do
  for size in 16 32 48 64 128 256; do
    mkdir -p "$theme/${size}x$size/apps"
    rsvg-convert -w "$size" -h "$size" "$here/$name.svg" -o "$theme/${size}x$size/apps/$name.png"
  done
  mkdir -p "$theme/scalable/apps"
  cp "$here/$name.svg" "$theme/scalable/apps/"
done
