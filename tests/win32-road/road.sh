#!/usr/bin/env bash
# The road of one file under Wine: road.sh BUILD SOURCE.
BUILD=$1 SOURCE=$2
source "$SOURCE/tests/win32-player/lib.sh"

DRIVER="$BUILD/assoc/win32/road/OrdinelDriver.exe"
APP_DIR='C:\Program Files\シンプル プレーヤー'
APP_UNIX="$PEXALO_WINEPREFIX/drive_c/Program Files/シンプル プレーヤー"
MEDIA='C:\メディア フォルダ\my clip.rm'
MEDIA_UNIX="$PEXALO_WINEPREFIX/drive_c/メディア フォルダ/my clip.rm"

# The default value of a key under HKEY_CLASSES_ROOT, as Wine's own reg tool reads it
# (it writes in the console's code page, 932, and names the default value in Japanese).
class_value() {
  wine_run reg query "HKCR\\$1" /ve | iconv -f CP932 -t UTF-8 | tr -d '\r' | sed -n 's/^ *([^)]*) *REG_SZ *//p'
}
forget_association() {
  wine_run reg delete 'HKCR\.rm' /f >/dev/null || true
  wine_run reg delete 'HKCR\rmfile' /f >/dev/null || true
}
# Ticks (1) or unticks (0) the box and presses OK; the box must have opened as given.
# With a third argument, first saves a picture of the dialog under that name.
set_box() {
  local hold="$TMP/hold" got
  rm -f "$hold"
  wine_run "$DRIVER" "$1" "$APP_DIR\\Ordinel.exe" "$(windows_path "$hold")" >"$TMP/driver" &
  local driver=$! deadline=$((SECONDS + WAIT))
  until grep -q '^shown=' "$TMP/driver" || ! kill -0 $driver 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "Ordinel's dialog did not show"
    sleep 0.2
  done
  if [ $# -gt 2 ]; then
    screenshot "$(xdotool search --sync --onlyvisible --name '^オプション$' | head -1)" "$3"
  fi
  : >"$hold"
  wait $driver || true
  got=$(tr -d '\r' <"$TMP/driver" | tr '\n' ' ')
  [ "$got" = "shown=$2 ended " ] || fail "Ordinel.exe to $1: $got"
}

register_standin
cleanup_road() { forget_association; rm -rf "$APP_UNIX" "$(dirname "$MEDIA_UNIX")"; cleanup; }
trap cleanup_road EXIT

forget_association
wine_run reg add 'HKCR\.rm' /ve /d Previous.Class /f >/dev/null
mkdir -p "$APP_UNIX" "$(dirname "$MEDIA_UNIX")"
cp "$PLAYER" "$BUILD/assoc/win32/Ordinel.exe" "$APP_UNIX/"
: >"$MEDIA_UNIX"

set_box 1 0 ordinel-win32.png
[ "$(class_value .rm)" = rmfile ] || fail "the class of .rm: $(class_value .rm)"
[ "$(class_value 'rmfile\shell\open\command')" = "\"$APP_DIR\\Pexalo.exe\" \"%1\"" ] ||
  fail "the command: $(class_value 'rmfile\shell\open\command')"

# Wine's shell looks the class up and starts the player for the file.
wine_run start /unix "$MEDIA_UNIX"
wait_log '^invoke 215 '
calls=$(log_lines '^invoke ')
[ "$calls" = "invoke 277 1 11 -1"$'\n'"invoke 215 1 8 $MEDIA" ] || fail "calls were: $calls"
started=$(probe commandline "$WAIT")
[ "$started" = "commandline=\"$APP_DIR\\Pexalo.exe\" \"$MEDIA\"" ] || fail "the player was started as: $started"
probe close >/dev/null
[ "$(probe window 0)" = none ] || fail "the player did not end"

set_box 0 1
[ "$(class_value .rm)" = Previous.Class ] || fail "the class of .rm after unticking: $(class_value .rm)"
echo "PASS: road of one file"
