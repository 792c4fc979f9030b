#!/usr/bin/env bash
# The road of one file on Linux, in a home of its own, with the desktop's own tools. Another
# player is the default for RealMedia files. Ordinel, driven by keys like a user from a
# folder whose name holds a blank and a dollar sign: OK on the unticked box changes nothing;
# tick and OK make its entry the default, and xdg-open and gio open start the Pexalo of that
# folder with the clip (its name holding blanks and brackets) as the one argument, showing
# video. Another tool rewrites mimeapps.list; untick and OK give the other player back, and
# nothing else in the list changes. Screenshots of the dialog and the playing window go to SHOTS.
# Usage: road.sh BIN CLIP SHOTS. Needs DISPLAY.
set -uo pipefail
bin=$1 clip=$2 shots=$3
[ -n "${DISPLAY:-}" ] || { echo "no X display: run through scripts/with-display.sh"; exit 1; }

work=$(mktemp -d)
pid=
cleanup() { [ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_DATA_HOME="$work/home/data"
# As in a GNOME session, where xdg-open hands files to gio open: xdg-utils' own fallback
# reads an Exec line's first word without its quotes, so it starts no program whose path
# needs them.
export XDG_CURRENT_DESKTOP=GNOME
app="$work/my apps \$1" media="$work/media" list="$XDG_CONFIG_HOME/mimeapps.list"
entry="$XDG_DATA_HOME/applications/ordinel-rmfile.desktop"
type=application/vnd.rn-realmedia
mkdir -p "$app" "$media" "$XDG_DATA_HOME/applications" "$XDG_CONFIG_HOME" "$shots"
cp "$bin/Ordinel" "$bin/Pexalo" "$app/"
file="$media/サンプル 動画 (テスト) 1.rm"
cp "$clip" "$file"

printf '[Desktop Entry]\nType=Application\nName=Foo Player\nExec=true %%f\nMimeType=%s;\n' "$type" \
  >"$XDG_DATA_HOME/applications/foo-player.desktop"
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
window() { xdotool search --all --onlyvisible --name "$1" 2>/dev/null | head -n1; }
has_window() { [ -n "$(window "$1")" ]; }
ended() { ! kill -0 "$pid" 2>/dev/null; }
default_app() { gio mime "$type" | sed -n '1s/.*: //p'; }
# Mean brightness of a window in 0..1: the player's background is black, the clip's colour
# test pattern far from it.
lit() {
  import -window "$1" "$2" 2>/dev/null || return 1
  local mean; mean=$(convert "$2" -colorspace Gray -format '%[fx:mean]' info:)
  awk -v m="$mean" 'BEGIN { exit !(m > 0.05) }'
}

# Starts Ordinel from its folder, sends the keys to its dialog (focus starts on OK; three
# tabs reach the box) and waits for it to end with status 0. "shot" takes the screenshot.
ordinel() {
  LC_ALL=ja_JP.UTF-8 "$app/Ordinel" 2>"$work/ordinel.err" &
  pid=$!
  wait_for 15 has_window 'オプション' || fail "no Ordinel window"
  local dialog; dialog=$(window 'オプション')
  xdotool windowfocus --sync "$dialog"
  sleep 0.3  # until Qt has put the focus on OK
  for keys in "$@"; do
    if [ "$keys" = shot ]; then
      sleep 0.3; import -window "$dialog" "$shots/ordinel-linux.png" || fail "no screenshot of the dialog"
    else
      xdotool key --window "$dialog" $keys
    fi
  done
  wait_for 10 ended || fail "Ordinel did not end"
  wait "$pid"; local status=$?
  pid=
  [ "$status" -eq 0 ] || fail "Ordinel ended with status $status: $(cat "$work/ordinel.err")"
}
# Opens the clip with an opener and checks the Pexalo it starts; Escape ends it.
open_with() {
  "$@" "$file" || fail "$* failed"
  wait_for 30 has_window '^Form1$' || fail "$* started no window titled Form1"
  local player; player=$(window '^Form1$')
  pid=$(xdotool getwindowpid "$player")
  [ "$(readlink "/proc/$pid/exe")" = "$app/Pexalo" ] || fail "$* started $(readlink "/proc/$pid/exe")"
  [ "$(tr '\0' '\n' <"/proc/$pid/cmdline")" = "$app/Pexalo"$'\n'"$file" ] || fail "$*: not the clip as one argument"
  if [ "$1" = xdg-open ]; then
    wait_for 30 lit "$player" "$work/player.png" || fail "the player's window stayed black"
    cp "$work/player.png" "$shots/pexalo-linux.png"
  fi
  xdotool windowfocus --sync "$player" key Escape
  wait_for 10 ended || fail "Escape did not end the Pexalo that $* started"
  pid=
  echo "$* started the Pexalo in \"$app\""
}

ordinel space
cmp -s "$list" "$work/original.list" || fail "OK on the unticked box changed mimeapps.list"
[ ! -e "$entry" ] || fail "OK on the unticked box wrote an entry"

ordinel "Tab Tab Tab space" shot "Tab space"
[ "$(default_app)" = ordinel-rmfile.desktop ] || fail "the default is $(default_app), not Ordinel's entry"
desktop-file-validate "$entry" || fail "the entry is not valid"
grep -qx 'NoDisplay=true' "$entry" || fail "the entry shows in menus"

open_with xdg-open
open_with gio open

gio mime image/png foo-player.desktop >/dev/null || fail "gio mime could not set a default"
cp "$list" "$work/rewritten.list"
ordinel "Tab Tab Tab space Tab space"
[ "$(default_app)" = foo-player.desktop ] || fail "the default is $(default_app), not the other player"
[ "$(xdg-mime query default $type)" = foo-player.desktop ] || fail "xdg-mime does not see the other player"
sed "s|^$type=ordinel-rmfile.desktop\$|$type=foo-player.desktop|" "$work/rewritten.list" | diff - "$list" ||
  fail "more than the default for $type changed"
echo "ok"
