#!/usr/bin/env bash
# The road of one file on Linux: Ordinel, driven by keys like a user, installs the
# association for its own folder; pexalo-open then starts the "Pexalo" beside it with
# the file as one argument; unticking restores the old state and the file no longer opens.
# Arguments: Ordinel, pexalo-open, a program that records its arguments. Needs DISPLAY.
set -euo pipefail
ordinel=$1 open=$2 recorder=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/app" "$work/media"
cp "$ordinel" "$work/app/Ordinel"
cp "$recorder" "$work/app/Pexalo"
export XDG_CONFIG_HOME="$work/config" PEXALO_TEST_RECORD="$work/record"

# Starts Ordinel, sends the keys to its dialog and waits for it to end.
run_ordinel() {
  "$work/app/Ordinel" &
  local pid=$! window
  window=$(timeout 10 xdotool search --sync --onlyvisible --name 'オプション' | head -1) || true
  [ -n "$window" ] || { echo "no Ordinel window"; kill "$pid"; exit 1; }
  xdotool windowfocus --sync "$window"
  sleep 0.3  # until Qt has put the focus on OK
  xdotool key --window "$window" "$@"
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then echo "Ordinel did not end"; kill "$pid"; exit 1; fi
  wait "$pid"
}

file="$work/media/a  b \"q\";\$(touch pwned) \`touch pwned\`
.rm"
: >"$file"

# Focus starts on OK: three tabs reach the box, space ticks it, one tab back to OK.
run_ordinel Tab Tab Tab space Tab space
"$open" "$file"
printf '%s\0%s\0' "$work/app/Pexalo" "$file" | cmp - "$work/record"
[ ! -e pwned ]

# The box now opens ticked: untick it and press OK.
rm "$work/record"
run_ordinel Tab Tab Tab space Tab space
if "$open" "$file" 2>"$work/errors"; then echo "still associated"; exit 1; fi
grep -q 'no program is associated with files of type ".rm"' "$work/errors"
[ ! -e "$work/record" ]
echo "ok"
