# Shared steps of the end-to-end road under Wine and of the scripts that run Pexalo.exe
# there (scripts/run-windows.sh, the bench). Sourced, not run; needs BUILD and SOURCE.
set -eEuo pipefail

PLAYER="$BUILD/player/win32/Pexalo.exe"
ORDINEL="$BUILD/assoc/win32/Ordinel.exe"
PROBE="$BUILD/tests/win32-road/Probe.exe"
STANDIN="$BUILD/tests/fixtures/standin-control/standin-control.dll"
export PEXALO_BUILD_DIR="$BUILD"
# The stand-in lives in a prefix of its own, apart from the unit tests' prefix.
export PEXALO_WINEPREFIX="$BUILD/wineprefix-e2e"
WAIT=${PEXALO_TEST_WAIT:-90}   # seconds; generous, the machine is shared

TMP=$(mktemp -d)
PID=""
cleanup() {
  # Ends whatever is still running in the prefix, and the prefix's server.
  WINEPREFIX="$PEXALO_WINEPREFIX" wineserver -k 2>/dev/null || true
  [ -n "$PID" ] && wait "$PID" 2>/dev/null || true
  rm -rf "$TMP"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; [ -f "$TMP/log" ] && { echo "--- stand-in log:" >&2; cat "$TMP/log" >&2; }; exit 1; }
trap 'fail "$BASH_COMMAND"' ERR   # a step that fails unchecked says which
windows_path() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }
utf16() { printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE; }
export PEXALO_STANDIN_LOG=$(windows_path "$TMP/log")
: >"$TMP/log"

wine_run() { "$SOURCE/cmake/wine-run.sh" "$@" 2>/dev/null; }
probe() { wine_run "$PROBE" "$@" | tr -d '\r'; }

# Registers the stand-in as the media control. There is no window manager here, and Wine
# is told not to wait for one, so maximised windows stay maximised.
CONTROL_KEY='HKCR\CLSID\{CFCDAA03-8BE4-11CF-B84B-0020AFBBCCFA}'
register_standin() {
  wine_run reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
  wine_run reg add "$CONTROL_KEY\\InprocServer32" /ve /d "$(windows_path "$STANDIN")" /f /reg:32 >/dev/null
  wine_run reg add "$CONTROL_KEY\\InprocServer32" /v ThreadingModel /d Apartment /f /reg:32 >/dev/null
}

# Starts a program (its Windows path) in the background, with the argument text in a file
# of UTF-16 code units, or none; wait_exit prints its exit status.
start() {
  probe start "$1" <"${2:-/dev/null}" >"$TMP/status" &
  PID=$!
}
start_player() {
  utf16 "$1" >"$TMP/arguments"
  start "$(windows_path "$PLAYER")" "$TMP/arguments"
}

# Polls a command until it succeeds.
eventually() {
  local what=$1 deadline=$((SECONDS + WAIT))
  shift
  until "$@"; do
    [ $SECONDS -lt $deadline ] || fail "$what"
    sleep 0.2
  done
}
wait_log() { eventually "no log line matching '$1'" grep -qE -- "$1" "$TMP/log"; }
log_lines() { grep -E -- "$1" "$TMP/log" || true; }

ended() { ! kill -0 "$PID" 2>/dev/null; }
wait_exit() {
  eventually "the program did not end" ended
  wait "$PID" || true
  PID=""
  sed -n 's/^exit //p' "$TMP/status"
}
