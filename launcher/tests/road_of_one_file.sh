#!/usr/bin/env bash
# The road of one file on Linux with the real programs: Ordinel, driven by keys like a
# user, installs the association for the build's bin folder in a fresh store; pexalo-open
# opens the sample clip, renamed with blanks and Japanese characters; the Pexalo beside
# Ordinel shows its video; Escape ends it with status 0. Screenshots of the dialog and of
# the playing window go to SHOTS.
# Usage: road_of_one_file.sh BIN CLIP SHOTS. Needs DISPLAY.
set -uo pipefail
bin=$1 clip=$2 shots=$3
[ -n "${DISPLAY:-}" ] || { echo "no X display: run through scripts/with-display.sh"; exit 1; }

work=$(mktemp -d)
pid=
cleanup() { [ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$work/media" "$shots"

fail() { echo "FAIL: $*"; exit 1; }
# Polls a condition every 0.2 s for up to $1 seconds.
wait_for() {
  local limit=$1; shift
  for _ in $(seq $((limit * 5))); do "$@" && return 0; sleep 0.2; done
  return 1
}
window() { xdotool search --all --onlyvisible --pid "$pid" --name "$1" 2>/dev/null | head -n1; }
has_window() { [ -n "$(window "$1")" ]; }
ended() { ! kill -0 "$pid" 2>/dev/null; }
# Mean brightness of a screenshot in 0..1: the player's background is black, the clip's
# colour test pattern far from it.
lit() {
  local mean; mean=$(convert "$1" -colorspace Gray -format '%[fx:mean]' info:)
  awk -v m="$mean" 'BEGIN { exit !(m > 0.05) }'
}
shot_lit() { import -window "$1" "$2" 2>/dev/null && lit "$2"; }
# Waits for the started program to end and checks its status.
ended_with_0() {
  wait_for 10 ended || fail "$1 did not end"
  wait "$pid"; local status=$?
  pid=
  [ "$status" -eq 0 ] || fail "$1 ended with status $status"
}

# Ordinel: focus starts on OK; three tabs reach the box, space ticks it, one tab back to OK.
LC_ALL=ja_JP.UTF-8 "$bin/Ordinel" &
pid=$!
wait_for 15 has_window 'オプション' || fail "no Ordinel window"
dialog=$(window 'オプション')
xdotool windowfocus --sync "$dialog"
sleep 0.3  # until Qt has put the focus on OK
xdotool key --window "$dialog" Tab Tab Tab space
sleep 0.3
import -window "$dialog" "$shots/ordinel-linux.png" || fail "no screenshot of the dialog"
xdotool key --window "$dialog" Tab space
ended_with_0 Ordinel

file="$work/media/サンプル 動画 (テスト) 1.rm"
cp "$clip" "$file"
"$bin/pexalo-open" "$file" &
pid=$!  # pexalo-open becomes the registered program: the same process
wait_for 30 has_window '^Form1$' || fail "pexalo-open started no window titled Form1"
[ "$(readlink "/proc/$pid/exe")" = "$(readlink -f "$bin/Pexalo")" ] || fail "not the Pexalo in $bin"
[ "$(tr '\0' '\n' <"/proc/$pid/cmdline" | tail -n1)" = "$file" ] || fail "the file was not one argument"
player=$(window '^Form1$')
wait_for 30 shot_lit "$player" "$work/player.png" || fail "the player's window stayed black"
cp "$work/player.png" "$shots/pexalo-linux.png"
echo "video shown: $shots/pexalo-linux.png"

xdotool windowfocus --sync "$player" key Escape
ended_with_0 "Escape: Pexalo"
echo "ok"
