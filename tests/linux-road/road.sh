#!/usr/bin/env bash
# The road of one file on Linux, in a home of its own, with the desktop's own tools; another
# player is the default for RealMedia files. Ordinel, driven by keys from a folder whose name
# holds a blank and a dollar sign, changes nothing on Escape and makes its entry the default
# on Apply and OK. xdg-open on X11 and gio open in a Wayland session then start that folder's
# Pexalo with the clip (named with blanks, brackets, quotes and a byte that is not UTF-8) as
# its one argument; it shows the clip in its one window until Escape. Without a file Pexalo
# asks, in Japanese. A second folder's Ordinel takes over; unticking there gives the other
# player back and changes nothing else, even after another tool rewrote mimeapps.list. After
# each tick and untick every opener (gio open, xdg-open, mimeopen, exo-open) and xdg-mime name
# the same program, with a desktop set, with none (xdg-utils then reads our Exec line itself)
# and with a desktop's own list; an untick leaves the user's folders as they were.
# Screenshots of the dialog and the player go to SHOTS.
# Usage: road.sh BIN CLIP SHOTS. Needs DISPLAY.
set -uo pipefail
bin=$1 clip=$2 shots=$3
[ -n "${DISPLAY:-}" ] || { echo "no X display: run through scripts/with-display.sh"; exit 1; }

work=$(mktemp -d)
pid= weston=
cleanup() { kill $pid $weston 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_DATA_HOME="$work/home/data"
# Another player is installed for everyone; the user's own applications folder is not there yet.
export XDG_DATA_DIRS="$work/share:/usr/share"
# Short and our own: the compositor's socket lives there.
export XDG_RUNTIME_DIR="$work/run"
# As in a GNOME session, where xdg-open hands files to gio open: xdg-utils' own fallback
# reads an Exec line's first word without its quotes, so it starts no program whose path
# needs them.
export XDG_CURRENT_DESKTOP=GNOME
app="$work/my apps \$1" list="$XDG_CONFIG_HOME/mimeapps.list"
entry="$XDG_DATA_HOME/applications/ordinel-rmfile.desktop"
type=application/vnd.rn-realmedia
mkdir -p "$app" "$work/media" "$work/share/applications" "$XDG_CONFIG_HOME" "$shots"
mkdir -m 700 "$XDG_RUNTIME_DIR"
cp "$bin/Ordinel" "$bin/Pexalo" "$app/"
file="$work/media/$(printf 'サンプル "動画" (テスト) \xff.rm')"
cp "$clip" "$file"
# mimeopen takes no name that is not UTF-8.
plain="$work/media/サンプル \"動画\".rm"
cp "$clip" "$plain"

printf '#!/bin/sh\ntouch "%s/foo-started"\n' "$work" >"$work/foo-player"
chmod +x "$work/foo-player"
printf '[Desktop Entry]\nType=Application\nName=Foo Player\nExec=%s %%f\nMimeType=%s;\n' "$work/foo-player" "$type" \
  >"$work/share/applications/foo-player.desktop"
printf '# mine\n\n[Default Applications]\ntext/plain=foo-editor.desktop\n%s=foo-player.desktop\n\n[Added Associations]\n%s=foo-player.desktop;\n' \
  "$type" "$type" >"$list"
cp "$list" "$work/original.list"

fail() { echo "FAIL: $*"; exit 1; }
# Polls a condition every 0.2 s for up to $1 seconds.
wait_for() {
  local limit=$1; shift
  for _ in $(seq $((limit * 5))); do "$@" && return 0; sleep 0.2; done
  return 1
}
window() { xdotool search --all --onlyvisible ${pid:+--pid "$pid"} --name "$1" 2>/dev/null | head -n1; }
has_window() { [ -n "$(window "$1")" ]; }
# Gone, or a zombie: a player that an opener started is reaped by no shell of ours.
ended() { [[ "$(ps -o stat= -p "$pid")" =~ ^Z?$ ]]; }
default_app() { gio mime "$type" | sed -n '1s/.*: //p'; }
# The clip's colour bars in a window, kept in $work/shown.miff (quick to write, unlike PNG):
# blue left of the middle, yellow right of it, in their own colours and opaque.
shows_video() {
  import -window "$1" "$work/shown.miff" 2>/dev/null || return 1
  local blue='p{w*0.44,h*0.3}' yellow='p{w*0.56,h*0.3}'
  [ "$(convert "$work/shown.miff" -format "%[fx:$blue.b > 0.8 && $blue.r < 0.25 && $yellow.r > 0.8 && $yellow.b < 0.25]" info:)" = 1 ]
}
# The Pexalo of our folder that an opener started: it is no child of ours.
started_player() {
  for candidate in $(pgrep -x Pexalo); do
    [ "$(readlink "/proc/$candidate/exe")" = "$app/Pexalo" ] && pid=$candidate && return 0
  done
  return 1
}

# Runs a program in Japanese through steps and waits for it to end with status 0. A step is
# "window:TITLE" (wait for a window so titled and give it the keyboard), "shot" (the
# screenshot of Ordinel's dialog) or keys. In Ordinel focus starts on OK; three tabs reach
# the box.
run_in_japanese() {
  local program=$1 shown; shift
  LC_ALL=ja_JP.UTF-8 "$program" 2>"$work/stderr" &
  pid=$!
  for step in "$@"; do
    case $step in
      window:*)
        wait_for 30 has_window "${step#window:}" || fail "no window titled ${step#window:}"
        shown=$(window "${step#window:}")
        xdotool windowfocus --sync "$shown"
        sleep 0.3 ;;  # until Qt has put the focus on its first control
      shot) sleep 0.3; import -window "$shown" "$shots/ordinel-linux.png" || fail "no screenshot of the dialog" ;;
      *) xdotool key $step; sleep 0.2 ;;  # until Qt has taken the keys
    esac
  done
  wait_for 10 ended || fail "$program did not end"
  wait "$pid"; local status=$?
  pid=
  [ "$status" -eq 0 ] || fail "$program ended with status $status: $(cat "$work/stderr")"
}
ordinel() { run_in_japanese "$app/Ordinel" window:オプション "$@"; }
toggle() { ordinel "Tab Tab Tab space shift+Tab space Tab Tab Return"; }
# What an opener starts for a clip: "pexalo" (this folder's, with the clip as its one
# argument, ended at once), "foo" (the other player) or "none".
started_by() {
  local got=none opener
  rm -f "$work/foo-started"
  "$@" "$plain" >/dev/null 2>&1 &
  opener=$!
  for _ in $(seq 150); do
    if started_player; then
      got="pexalo with other arguments"
      [ "$(tr '\0' '\n' <"/proc/$pid/cmdline" | tail -n +2)" = "$plain" ] && got=pexalo
      # Told to end in its first moments, as a desktop that logs out tells it.
      kill -TERM "$pid"
      wait_for 10 ended || { got="pexalo that SIGTERM did not end"; kill -KILL "$pid"; }
      pid=
      break
    fi
    [ -e "$work/foo-started" ] && got=foo && break
    sleep 0.2
  done
  kill "$opener" 2>/dev/null; wait "$opener" 2>/dev/null
  echo "$got"
}
# Each opener's program, then xdg-mime's default; all must name $1 (pexalo or foo).
openers_agree() {
  local seen="" expected
  for opener in "gio open" xdg-open "mimeopen -n" exo-open; do seen+="$(started_by $opener) "; done
  seen+=$(xdg-mime query default $type)
  expected="$1 $1 $1 $1 $([ "$1" = pexalo ] && echo ordinel-rmfile || echo foo-player).desktop"
  [ "$seen" = "$expected" ] || fail "${XDG_CURRENT_DESKTOP:-no desktop}: gio open, xdg-open, mimeopen, exo-open, xdg-mime: $seen"
}
# The user's folders: every file's path and contents.
user_files() { (cd "$HOME" && find config data -print -type f -exec cat {} \; 2>/dev/null); }
# Opens the clip with an opener and checks the Pexalo it starts: the clip as its one
# argument, and video in window $1 (the player's own when empty). Escape ends it.
open_with() {
  local shown=$1; shift
  "$@" "$file" 2>"$work/opened.log" || fail "$* failed"
  wait_for 30 started_player || fail "$* started no Pexalo in \"$app\""
  [ "$(tr '\0' '\n' <"/proc/$pid/cmdline" | tail -n +2)" = "$file" ] || fail "$*: not the clip as one argument"
  if [ -z "$shown" ]; then
    wait_for 30 has_window '^Form1$' || fail "$* started no window titled Form1"
    shown=$(window '^Form1$')
    xdotool windowfocus --sync "$shown"
  else
    # The compositor says when the player has the keyboard.
    wait_for 10 grep -q 'wl_keyboard@[0-9]*\.enter(' "$work/opened.log" || fail "$*: the player never had the keyboard"
  fi
  wait_for 30 shows_video "$shown" || fail "$*: no video"
  xdotool key Escape
  wait_for 10 ended || fail "Escape did not end the Pexalo that $* started"
  pid=
}

[ "$(env -u DISPLAY "$app/Pexalo" --version)" = "Pexalo 1.00" ] || fail "--version"
env -u DISPLAY "$app/Pexalo" --help | grep -q '^Usage: Pexalo \[FILE\]$' || fail "--help"
# Without a display both programs say so in one line and end with status 1; a switch is one
# only when alone, so here both of Pexalo's arguments are the path.
for started in "Pexalo --help $clip" Ordinel; do
  said=$(env -u DISPLAY -u WAYLAND_DISPLAY "$app/"$started 2>&1); status=$?
  [ "$status" -eq 1 ] && [ "$(wc -l <<<"$said")" -eq 1 ] && [[ $said == "${started%% *}: no display"* ]] || fail "$started without a display: status $status, said: $said"
done

# Enter on the box presses no button; Escape cancels.
ordinel "Tab Tab Tab space Return Escape"
cmp -s "$list" "$work/original.list" || fail "Escape changed mimeapps.list"
[ ! -e "$entry" ] || fail "Escape wrote an entry"

# Apply, then Enter on OK: the box must still be ticked, so Ordinel must see its own writes.
ordinel "Tab Tab Tab space" shot "shift+Tab space Tab Tab Return"
[ "$(default_app)" = ordinel-rmfile.desktop ] || fail "the default is $(default_app), not Ordinel's entry"
# 5805 x 3450 twips at 96 pixels per inch.
[ "$(identify -format %wx%h "$shots/ordinel-linux.png")" = 387x230 ] || fail "the dialog is not of its designed size"
desktop-file-validate "$entry" || fail "the entry is not valid"
openers_agree pexalo

open_with "" xdg-open
convert "$work/shown.miff" "$shots/pexalo-linux.png"

# A Wayland session: weston drawing into a window on the X display, which has the keyboard
# before the player starts (a later change of focus can reach the compositor after the key).
weston --backend=x11-backend.so --use-pixman --no-config --socket=road --width=800 --height=600 --idle-time=0 \
  >"$work/weston.log" 2>&1 &
weston=$!
wait_for 10 test -S "$XDG_RUNTIME_DIR/road" || fail "weston did not start: $(cat "$work/weston.log")"
output=$(xdotool search --class '^Weston Compositor$' | head -n1)
xdotool windowfocus --sync "$output"
WAYLAND_DISPLAY=road QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client open_with "$output" gio open
toplevels=$(grep -c 'get_toplevel(' "$work/opened.log")
[ "$toplevels" -eq 1 ] || fail "$toplevels top-level windows in the Wayland session, not 1"
kill "$weston"; wait "$weston" 2>/dev/null
weston=

# Without a file Pexalo asks with the open-file dialog; cancelled, it ends with status 0.
run_in_japanese "$app/Pexalo" 'window:^開く$' Escape

# A second folder's Pexalo takes over, keeping what the first install kept, and unticked
# there gives the other player back; another program writes its own defaults in between.
second="$work/second"
mkdir "$second" && cp "$bin/Ordinel" "$bin/Pexalo" "$second/"
app=$second ordinel "Tab Tab Tab space Tab space"
grep -qxF "Exec=$second/Pexalo %f" "$entry" || fail "the second folder's install: $(cat "$entry")"
gio mime image/png foo-player.desktop >/dev/null || fail "gio mime could not set a default"
cp "$list" "$work/rewritten.list"
app=$second ordinel "Tab Tab Tab space Tab space"
[ "$(default_app)" = foo-player.desktop ] || fail "the default is $(default_app), not the other player"
[ "$(xdg-mime query default $type)" = foo-player.desktop ] || fail "xdg-mime does not see the other player"
sed -e "s|^$type=ordinel-rmfile.desktop\$|$type=foo-player.desktop|" -e "s|;ordinel-rmfile.desktop;\$|;|" \
  "$work/rewritten.list" | diff - "$list" || fail "more than the default for $type changed"
openers_agree foo

# Window managers set no desktop; a desktop's own list is read before mimeapps.list.
for session in none X; do
  if [ $session = none ]; then
    unset XDG_CURRENT_DESKTOP
  else
    export XDG_CURRENT_DESKTOP=$session
    printf '[Default Applications]\n%s=foo-player.desktop\n' "$type" >"$XDG_CONFIG_HOME/x-mimeapps.list"
  fi
  before=$(user_files)
  toggle
  openers_agree pexalo
  toggle
  openers_agree foo
  [ "$(user_files)" = "$before" ] || fail "$session: untick left the user's folders changed"
done
echo "ok"
