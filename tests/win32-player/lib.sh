# Shared steps of the player's end-to-end tests under Wine. Sourced, not run.
# Needs BUILD (the win32 build folder) and SOURCE (the source folder).
set -euo pipefail

WINE_RUN="$SOURCE/cmake/wine-run.sh"
PLAYER="$BUILD/player/win32/Pexalo.exe"
PROBE="$BUILD/player/win32/e2e/PexaloProbe.exe"
STANDIN="$BUILD/player/win32/standin-control/standin-control.dll"
export PEXALO_BUILD_DIR="$BUILD"
# The stand-in lives in a prefix of its own, apart from the unit tests' prefix.
export PEXALO_WINEPREFIX="$BUILD/wineprefix-e2e"
WAIT=${PEXALO_TEST_WAIT:-90}   # seconds; generous, the machine is shared

TMP=$(mktemp -d)
PLAYER_PID=""
cleanup() {
  # Ends whatever the test left running in its prefix, and the prefix's server.
  WINEPREFIX="$PEXALO_WINEPREFIX" wineserver -k 2>/dev/null || true
  [ -n "$PLAYER_PID" ] && wait "$PLAYER_PID" 2>/dev/null || true
  rm -rf "$TMP"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; [ -f "$TMP/log" ] && { echo "--- stand-in log:" >&2; cat "$TMP/log" >&2; }; exit 1; }
windows_path() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }

export PEXALO_STANDIN_LOG=$(windows_path "$TMP/log")
export PEXALO_STANDIN_COMMANDS=$(windows_path "$TMP/commands")
: >"$TMP/commands"

wine_run() { "$WINE_RUN" "$@" 2>/dev/null; }
probe() { wine_run "$PROBE" "$@" | tr -d '\r'; }

# Registers the stand-in once per prefix. Wine keeps a window manager's hands off its
# windows here (there is none under Xvfb), so maximised windows stay maximised.
register_standin() {
  local mark="$PEXALO_WINEPREFIX/.standin"
  ( flock 8
    if [ "$(cat "$mark" 2>/dev/null)" != "$STANDIN" ]; then
      wine_run reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
      wine_run regsvr32 /s "$(windows_path "$STANDIN")" || fail "regsvr32 failed"
      echo "$STANDIN" >"$mark"
    fi
  ) 8>"$BUILD/wineprefix-e2e.lock"
}

# Starts the player with an exact argument text (unset: no argument at all).
start_player() {
  if [ $# -gt 0 ]; then
    printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE >"$TMP/arguments"
    start_player_from "$TMP/arguments"
  else
    start_player_from ""
  fi
}

# Starts the player with the argument text in a file of UTF-16LE code units ("": none).
start_player_from() {
  : >"$TMP/status"
  local file=""
  [ -n "$1" ] && file=$(windows_path "$1")
  PEXALO_ARGUMENTS_FILE="$file" wine_run "$PROBE" start "$(windows_path "$PLAYER")" >"$TMP/status" &
  PLAYER_PID=$!
}

# Polls until the stand-in's log has a line matching the pattern.
wait_log() {
  local pattern=$1 deadline=$((SECONDS + WAIT))
  until grep -qE -- "$pattern" "$TMP/log" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "no log line matching '$pattern'"
    sleep 0.2
  done
}

# Waits for the player to end; prints its exit status.
wait_exit() {
  local deadline=$((SECONDS + WAIT))
  while kill -0 "$PLAYER_PID" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "the player did not end"
    sleep 0.2
  done
  wait "$PLAYER_PID" || true
  PLAYER_PID=""
  sed -n 's/^exit //p' "$TMP/status" | tr -d '\r'
}

player_running() { kill -0 "$PLAYER_PID" 2>/dev/null; }

# Every log line matching the pattern, in order.
log_lines() { grep -E -- "$1" "$TMP/log" || true; }

# The control's persisted state as the stand-in logs it: little-endian fields.
expected_stream() {
  le32() { printf '%02x%02x%02x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
  text() { printf '%s' "$1" | od -An -tx1 | tr -d ' \n'; }
  local out
  out=$(le32 $((0x12344321)))$(le32 8)$(le32 8467)$(le32 6350)$(le32 12345679)$(le32 0)
  out+=$(le32 11)$(text ImageWindow)
  for v in 0 0 1 1 0 0 0 0 0 0 0 0 0; do out+=$(le32 $v); done
  out+=$(le32 7)$(text '#000000')
  printf 'stream 102 %s' "$out"
}

# A window's 32 x 32 icon as 1024 ARGB numbers, one a line, transparent as 0.
window_icon_argb() {
  xprop -notype -id "$1" 32c _NET_WM_ICON | cut -d= -f2 | tr -d ' ' | tr , '\n' | sed -n '3,1026p'
}
ico_argb() {
  convert "$1" -depth 8 rgba:- | od -An -tu1 -v | awk '
    { for (i = 1; i <= NF; i++) b[n++] = $i }
    END { for (p = 0; p < n / 4; p++) { a = b[4*p+3]
          printf "%.0f\n", a ? a * 16777216 + b[4*p] * 65536 + b[4*p+1] * 256 + b[4*p+2] : 0 } }'
}

# Saves a picture of one window as docs/screenshots/NAME in the source tree, without the
# time stamps image writers add, so that an unchanged picture leaves the file unchanged.
screenshot() {
  local id=$1 name=$2 dir="$SOURCE/docs/screenshots"
  mkdir -p "$dir"
  sleep 1   # let the window finish painting
  import -window "$id" png:- | convert png:- -strip -define png:exclude-chunks=date,time "$dir/$name" ||
    fail "no screenshot of window $id"
}
