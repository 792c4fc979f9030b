#!/usr/bin/env bash
# Runs a command with an X display: the one in DISPLAY when it answers, else a fresh
# Xvfb that lives as long as the command.
set -euo pipefail

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$@"
fi

# -noreset: an X server that resets whenever its last client leaves refuses the clients
# that connect meanwhile, and tests that poll with short-lived clients hit that often.
fifo=$(mktemp -u); mkfifo "$fifo"
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
read -r number <"$fifo"; rm -f "$fifo"
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null || true' EXIT
export DISPLAY=":$number"
"$@"
