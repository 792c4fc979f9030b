#!/usr/bin/env bash
# Start-up under Wine, each program next to a yardstick built the same way, all started
# by the same probe (CreateProcessW inside Wine) and run alternately in one prefix:
#   pexalo      Pexalo.exe, start to the stand-in control's 215 call (the media path)
#   bare_window BareWindow.exe, start to its window shown (its own log line)
#   ordinel     Ordinel.exe, start to the "オプション" dialog visible (polled every 1 ms;
#               closed with WM_CLOSE, which unloads it without applying)
#   bare_dialog BareDialog.exe, start to its "オプション" dialog visible (the same way)
# Prints one line per run and program: "start_us PROGRAM MICROSECONDS". bench/run.sh
# builds what it needs and prints the table. Usage: bench/win32-start.sh [runs]
set -euo pipefail
SOURCE=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$SOURCE/build/win32"
if [ -z "${PEXALO_BENCH_DISPLAY:-}" ]; then
  PEXALO_BENCH_DISPLAY=1 exec "$SOURCE/scripts/with-display.sh" "$0" "$@"
fi
RUNS=${1:-7}
source "$SOURCE/tests/win32-road/lib.sh"
BENCH="$BUILD/bench/win32"
ORDINEL="$BUILD/bin/Ordinel.exe"   # where a packaging step may gather it, else as built
[ -f "$ORDINEL" ] || ORDINEL="$BUILD/assoc/win32/Ordinel.exe"
for exe in "$PLAYER" "$ORDINEL" "$STANDIN" "$BENCH/BareWindow.exe" "$BENCH/BareDialog.exe" "$BENCH/StartProbe.exe"; do
  [ -f "$exe" ] || fail "missing $exe: build the win32 preset first"
done

# The prefix is made (in a fresh checkout) and the stand-in registered before the server
# becomes persistent: making a prefix waits for its server to end.
register_standin
WINEPREFIX="$PEXALO_WINEPREFIX" wineserver -w
# Then one server for the whole run, so no program pays for starting it.
WINEPREFIX="$PEXALO_WINEPREFIX" wineserver -p
export PEXALO_STANDIN_EXIT=1   # the stand-in ends the player once it has the path

# The probe's output for one start: "start US" and, when watching a window, "shown US".
start() { wine_run "$BENCH/StartProbe.exe" "$@" | tr -d '\r'; }
clock() { sed -n "s/^$1 //p" | head -1; }

# Start to a clock line of the stand-in's log (which the bare window writes too).
to_log_line() {
  local mark=$1; shift
  : >"$TMP/log"
  local started at
  started=$(start "$(windows_path "$1")" "${@:2}" | clock start)
  at=$(clock "clock $mark" <"$TMP/log")
  [ -n "$started" ] && [ -n "$at" ] || { echo "no clock line for $mark" >&2; return 1; }
  echo $((at - started))
}

# Start to the dialog with the options caption visible.
to_dialog_shown() {
  local out started at
  out=$(start -w オプション "$(windows_path "$1")")
  started=$(clock start <<<"$out"); at=$(clock shown <<<"$out")
  [ -n "$started" ] && [ -n "$at" ] || { echo "no dialog from $(basename "$1")" >&2; return 1; }
  echo $((at - started))
}

sample() {
  case $1 in
    pexalo) to_log_line 215 "$PLAYER" 'C:\clip.rm' ;;
    bare_window) to_log_line shown "$BENCH/BareWindow.exe" ;;
    ordinel) to_dialog_shown "$ORDINEL" ;;
    bare_dialog) to_dialog_shown "$BENCH/BareDialog.exe" ;;
  esac
}

programs=(pexalo bare_window ordinel bare_dialog)
for program in "${programs[@]}"; do sample "$program" >/dev/null || true; done   # warm-up: page cache, prefix
for ((run = 1; run <= RUNS; run++)); do
  echo "wine: run $run of $RUNS" >&2
  # A different program goes first each run: none always follows the same one's teardown.
  for ((i = 0; i < ${#programs[@]}; i++)); do
    program=${programs[(i + run) % ${#programs[@]}]}
    if us=$(sample "$program"); then echo "start_us $program $us"; fi
  done
done
