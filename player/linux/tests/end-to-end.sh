#!/usr/bin/env bash
# Pexalo in a Wayland session, opened by the desktop's opener (gio, through a desktop
# entry's %f) with a clip whose name holds double quotes and a byte that is not UTF-8: it
# plays that very file in its one top-level window and Escape ends it at once. Started
# without a file it asks with the open-file dialog, in Japanese, and ends with status 0 and
# without a window when that is cancelled. --help and --version answer without a window;
# without a display it says so in one line and ends with status 1. The session is weston
# drawing into a window on the X display (its headless backend has no keyboard to send
# Escape with); the same on X11 is the road of one file (tests/linux-road).
# Usage: end-to-end.sh PEXALO CLIP WORKDIR
set -uo pipefail
pexalo=$1 clip=$2 work=$3
mkdir -p "$work"
[ -n "${DISPLAY:-}" ] || { echo "no X display: run through scripts/with-display.sh"; exit 1; }

fail() {
  echo "FAIL: $*"
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  [ -n "${weston:-}" ] && kill "$weston" 2>/dev/null
  exit 1
}
# Polls a condition every 0.2 s for up to $1 seconds.
wait_for() {
  local limit=$1; shift
  for _ in $(seq $((limit * 5))); do "$@" && return 0; sleep 0.2; done
  return 1
}
window() { xdotool search --all ${pid:+--pid "$pid"} --name "${1:-^Form1\$}" 2>/dev/null | head -n1; }
has_window() { [ -n "$(window "$@")" ]; }
# The clip's colour bars in the middle of the session's window: the player's background and
# the desktop around are black or grey, far from them.
shows_video() {
  import -window "$1" "$work/wayland.png" 2>/dev/null || return 1
  local chroma
  chroma=$(convert "$work/wayland.png" -gravity center -crop 10%x10%+0+0 \
    -fx 'max(r, max(g, b)) - min(r, min(g, b))' -format '%[fx:mean]' info:)
  awk -v c="$chroma" 'BEGIN { exit !(c > 0.5) }'
}
ended() { ! kill -0 "$pid" 2>/dev/null; }
# The Pexalo that gio started: it is no child of ours.
started_player() {
  pid=
  for candidate in $(pgrep -x Pexalo); do
    [ "$(readlink "/proc/$candidate/exe")" = "$(readlink -f "$pexalo")" ] && pid=$candidate
  done
  [ -n "$pid" ]
}

[ "$(env -u DISPLAY "$pexalo" --version)" = "Pexalo 1.00" ] || fail "--version"
env -u DISPLAY "$pexalo" --help | grep -q '^Usage: Pexalo \[FILE\]$' || fail "--help"
said=$(env -u DISPLAY -u WAYLAND_DISPLAY "$pexalo" "$clip" 2>&1); status=$?
[ "$status" -eq 1 ] && [ "$(wc -l <<<"$said")" -eq 1 ] || fail "without a display: status $status, said: $said"
echo "--help, --version and a missing display answered without a window"

# Short, private and our own: the compositor's socket lives there.
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
socket=pexalo-e2e-$$
weston --backend=x11-backend.so --use-pixman --no-config --socket="$socket" --width=800 --height=600 \
  --idle-time=0 >"$work/weston.log" 2>&1 &
weston=$!
wait_for 10 test -S "$XDG_RUNTIME_DIR/$socket" || fail "weston did not start ($work/weston.log)"
output=$(xdotool search --class '^Weston Compositor$' | head -n1)
# The keyboard goes to the session before the player starts: a later change of focus can
# reach the compositor after the key.
xdotool windowfocus --sync "$output"

named="$work/$(printf 'clip "1" \xff.rm')"
cp "$clip" "$named"
printf '[Desktop Entry]\nType=Application\nName=Pexalo\nExec="%s" %%f\n' "$pexalo" >"$work/pexalo.desktop"
WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client \
  gio launch "$work/pexalo.desktop" "$named" 2>"$work/wayland.log" || fail "gio could not launch the desktop entry"
wait_for 30 started_player || fail "gio started no Pexalo"
[ "$(tr '\0' '\n' <"/proc/$pid/cmdline" | tail -n1)" = "$named" ] || fail "the file was not one argument, byte for byte"
wait_for 30 shows_video "$output" || fail "no video in the Wayland session ($work/wayland.png)"
toplevels=$(grep -c 'get_toplevel(' "$work/wayland.log")
[ "$toplevels" -eq 1 ] || fail "$toplevels top-level windows in the Wayland session, not 1"
echo "video shown in the one Wayland window: $work/wayland.png"
wait_for 10 grep -q 'wl_keyboard@[0-9]*\.enter(' "$work/wayland.log" || fail "the player never had the keyboard"
xdotool key Escape
wait_for 10 ended || fail "Escape did not end the player"
echo "Escape ended the player"
kill "$weston"; wait "$weston" 2>/dev/null
unset weston pid

LC_ALL=ja_JP.UTF-8 "$pexalo" &
pid=$!
wait_for 30 has_window '^開く$' || fail "no open-file dialog titled 開く"
has_window && fail "Form1 was shown before a file was chosen"
xdotool windowfocus --sync "$(window '^開く$')" key Escape
wait_for 10 ended || fail "cancelling the dialog did not end the player"
wait "$pid"; status=$?
[ "$status" -eq 0 ] || fail "the player ended with status $status after the dialog"
echo "cancelling the open-file dialog ended the player, no Form1 shown"
