#!/usr/bin/env bash
# Pexalo on an X display, opened by the desktop's opener (gio, through a desktop entry's
# %f) with a clip whose name holds double quotes and a byte that is not UTF-8: it plays that
# very file (its window is not black) and Escape sent to its window ends it at once. Started
# without a file it asks with the open-file dialog, in Japanese, and ends with status 0 and
# without a window when that is cancelled. --help and --version answer without a window;
# without a display it says so in one line and ends with status 1.
# Usage: end-to-end.sh PEXALO CLIP WORKDIR
set -uo pipefail
pexalo=$1 clip=$2 work=$3
mkdir -p "$work"
[ -n "${DISPLAY:-}" ] || { echo "no X display: run through scripts/with-display.sh"; exit 1; }

fail() { echo "FAIL: $*"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; exit 1; }
# Polls a condition every 0.2 s for up to $1 seconds.
wait_for() {
  local limit=$1; shift
  for _ in $(seq $((limit * 5))); do "$@" && return 0; sleep 0.2; done
  return 1
}
window() { xdotool search --all ${pid:+--pid "$pid"} --name "${1:-^Form1\$}" 2>/dev/null | head -n1; }
has_window() { [ -n "$(window "$@")" ]; }
# Mean brightness of the player's window in 0..1: its background is black, the clip's
# colour test pattern far from it.
window_lit() {
  import -window "$(window)" "$work/screen.png" 2>/dev/null || return 1
  local mean; mean=$(convert "$work/screen.png" -colorspace Gray -format '%[fx:mean]' info:)
  awk -v m="$mean" 'BEGIN { exit !(m > 0.05) }'
}
ended() { ! kill -0 "$pid" 2>/dev/null; }

[ "$(env -u DISPLAY "$pexalo" --version)" = "Pexalo 1.00" ] || fail "--version"
env -u DISPLAY "$pexalo" --help | grep -q '^Usage: Pexalo \[FILE\]$' || fail "--help"
said=$(env -u DISPLAY -u WAYLAND_DISPLAY "$pexalo" "$clip" 2>&1); status=$?
[ "$status" -eq 1 ] && [ "$(wc -l <<<"$said")" -eq 1 ] || fail "without a display: status $status, said: $said"
echo "--help, --version and a missing display answered without a window"

named="$work/$(printf 'clip "1" \xff.rm')"
cp "$clip" "$named"
printf '[Desktop Entry]\nType=Application\nName=Pexalo\nExec="%s" %%f\n' "$pexalo" >"$work/pexalo.desktop"
gio launch "$work/pexalo.desktop" "$named" || fail "gio could not launch the desktop entry"
wait_for 30 has_window || fail "no window titled Form1"
win=$(window)
pid=$(xdotool getwindowpid "$win")
[ "$(tr '\0' '\n' <"/proc/$pid/cmdline" | tail -n1)" = "$named" ] || fail "the file was not one argument, byte for byte"
wait_for 30 window_lit || fail "the window stayed black ($work/screen.png)"
echo "video shown: $work/screen.png"

xdotool windowfocus --sync "$win" key Escape
wait_for 10 ended || fail "Escape did not end the player"
echo "Escape ended the player"

LC_ALL=ja_JP.UTF-8 "$pexalo" &
pid=$!
wait_for 30 has_window '^開く$' || fail "no open-file dialog titled 開く"
has_window && fail "Form1 was shown before a file was chosen"
xdotool windowfocus --sync "$(window '^開く$')" key Escape
wait_for 10 ended || fail "cancelling the dialog did not end the player"
wait "$pid"; status=$?
[ "$status" -eq 0 ] || fail "the player ended with status $status after the dialog"
echo "cancelling the open-file dialog ended the player, no Form1 shown"
