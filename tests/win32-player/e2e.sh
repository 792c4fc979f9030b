#!/usr/bin/env bash
# One end-to-end case of Pexalo.exe under Wine: e2e.sh BUILD SOURCE CASE.
BUILD=$1 SOURCE=$2 CASE=$3
source "$(dirname "$0")/lib.sh"

# The argument text the shell may hand over, and the path the control must get.
case_arguments() {
  register_standin
  local -a texts=('"C:\My Media\clip.rm"' 'C:\My Media\clip.rm' 'C:\a"b.rm' '"C:\a.rm" "C:\b.rm"')
  local -a paths=('C:\My Media\clip.rm' 'C:\My Media\clip.rm' 'C:\ab.rm' 'C:\a.rm C:\b.rm')
  for i in "${!texts[@]}"; do
    : >"$TMP/log"
    start_player "${texts[$i]}"
    wait_log '^invoke 215 '
    local calls
    calls=$(log_lines '^invoke ')
    [ "$calls" = "invoke 277 1 11 -1"$'\n'"invoke 215 1 8 ${paths[$i]}" ] ||
      fail "argument text ${texts[$i]}: calls were: $calls"
    probe close >/dev/null
    wait_exit >/dev/null
  done
}

# The longest command line Windows allows, 32,767 characters with its terminating NUL:
# the player gets it unchanged and the path in it reaches the control whole.
case_long_command_line() {
  register_standin
  local program
  program=$(windows_path "$PLAYER")
  # Quotes and a blank around the program; quotes, C:\ and .rm around the filler.
  local filler=$((32766 - ${#program} - 3 - 8))
  local path="C:\\$(printf '%*s' "$filler" '' | tr ' ' a).rm"
  start_player "\"$path\""
  wait_log '^invoke 215 '
  [ "$(log_lines '^invoke 215 ')" = "invoke 215 1 8 $path" ] || fail "the path did not arrive whole"
  local started
  started=$(probe commandline 0)
  [ "$started" = "commandline=\"$program\" \"$path\"" ] ||
    fail "the command line changed on the way: ${#started} characters with its label"
}

# Characters outside code page 932, and a lone surrogate that no code page can carry,
# reach the control as the same UTF-16 code units. The stand-in logs text that UTF-8
# cannot carry as its code units.
case_unicode_argument() {
  register_standin
  utf16() { printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE; }
  units() { utf16 "$1" | od -An -tx2 -v | tr -d ' \n'; }
  local -a names=('outside the code page' 'a lone surrogate')
  local -a befores=('C:\€ä ñ😀' 'C:\€ä😀')
  local -a lones=('' '\x00\xd8')   # printf formats: a NUL cannot stand in a bash string
  local -a expected=('C:\€ä ñ😀x.rm' "utf16:$(units 'C:\€ä😀')d800$(units 'x.rm')")
  for i in "${!names[@]}"; do
    { utf16 "\"${befores[$i]}"; printf "${lones[$i]}"; utf16 'x.rm"'; } >"$TMP/arguments"
    : >"$TMP/log"
    start_player_from "$TMP/arguments"
    wait_log '^invoke 215 '
    [ "$(log_lines '^invoke 215 ')" = "invoke 215 1 8 ${expected[$i]}" ] ||
      fail "${names[$i]}: $(log_lines '^invoke 215 ')"
    probe close >/dev/null
    wait_exit >/dev/null
  done
}

# A control that reads its state before it takes its site gets them in that order.
case_site_later() {
  register_standin
  export PEXALO_STANDIN_SITE_LATER=1
  start_player '"C:\clip.rm"'
  wait_log '^invoke 215 '
  local order
  order=$(grep -E '^(site|stream|advise|activate)' "$TMP/log" | cut -d' ' -f1 | tr '\n' ,)
  [ "$order" = "stream,site,advise,activate," ] || fail "creation order: $order"
}

# Creation order, the persisted state, the borderless maximised window, and sizes.
case_window() {
  register_standin
  start_player '"C:\clip.rm"'
  wait_log '^invoke 215 '
  # The control asks for its site first, so it gets it before its state.
  local order
  order=$(grep -nE '^(site|stream|advise|activate|invoke 277|invoke 215)' "$TMP/log" | cut -d: -f2 | cut -d' ' -f1-2)
  [ "$order" = $'site\nstream 102\nadvise 1\nactivate 0\ninvoke 277\ninvoke 215' ] || fail "creation order: $order"
  [ "$(log_lines '^stream ')" = "$(expected_stream)" ] || fail "persisted state differs"

  local state
  state=$(probe window "$WAIT")
  echo "$state"
  local style=0x$(sed -n 's/^style=\([0-9A-F]*\) .*/\1/p' <<<"$state")
  local exstyle=0x$(sed -n 's/.*exstyle=\([0-9A-F]*\) .*/\1/p' <<<"$state")
  (( style & 0x80000000 )) || fail "not a top-level popup window"
  (( (style & 0x00CC0000) == 0 )) || fail "has a caption bar or frame"
  (( exstyle & 0x00040000 )) || fail "not on the taskbar"
  grep -q 'zoomed=1' <<<"$state" || fail "not maximised"
  local screen=$(sed -n 's/.*screen=\([0-9]*\),\([0-9]*\).*/\1,\2/p' <<<"$state")
  grep -q "client=0,0,$screen control=0,0,$screen " <<<"$state" || fail "window or control do not cover the screen"

  # The window's icon, as the X server got it from Wine, is the executable's own image.
  local id
  id=$(xdotool search --sync --name '^Form1$' | head -1)
  [ "$(window_icon_argb "$id")" = "$(ico_argb "$SOURCE/player/win32/Pexalo.ico")" ] ||
    fail "the window's icon is not the executable's image"

  # Resized from outside: the control follows, at 0, 0.
  probe resize 640 480 >/dev/null
  local deadline=$((SECONDS + WAIT))
  until state=$(probe window 0) && grep -q 'client=0,0,640,480 control=0,0,640,480 ' <<<"$state"; do
    [ $SECONDS -lt $deadline ] || fail "control did not follow the resize: $state"
    sleep 0.5
  done
  wait_log '^rect 0 0 640 480$'
  [ "$(log_lines '^extent ' | tail -1)" = "extent 16933 12700" ] || fail "extent after resize: $(log_lines '^extent ' | tail -1)"
  # The control paints itself after the resize; give it that moment before the picture.
  sleep 1
  screenshot "$id" pexalo-win32.png

  # Minimised, the window has nothing to fill: the control keeps its size.
  local sizes
  sizes=$(log_lines '^(extent|rect) ' | wc -l)
  probe minimize >/dev/null
  grep -q 'iconic=1' <<<"$(probe window 0)" || fail "the window did not minimise"
  drain
  [ "$(log_lines '^(extent|rect) ' | wc -l)" = "$sizes" ] ||
    fail "minimising resized the control: $(log_lines '^(extent|rect) ' | tail -1)"

  # Closed by other means: the window unloads the control in order and the program ends.
  probe close >/dev/null
  [ "$(wait_exit)" = 0 ] || fail "closing did not end the player with 0"
  local teardown
  teardown=$(sed -n '/^rect 0 0 640 480$/,$p' "$TMP/log" | grep -E '^(deactivate|unadvise [0-9]+|close|site cleared)$' | tr '\n' ,)
  [ "$teardown" = "deactivate,unadvise 1,close,site cleared," ] || fail "teardown order: $teardown"
}

# Event 1031 with 0 plays, every time; any other argument or event does nothing, and
# nothing calls back into the control while it is inside its event.
case_events() {
  register_standin
  start_player '"C:\clip.rm"'
  wait_log '^invoke 215 '
  fire 'fire 1031 0'
  fire 'fire 1031 0' 'fire 1031 1' 'fire 1031 -1' 'fire 1013 0' 'fire 302 0'
  fire 'fire 1031 0'
  # Every 257 comes after the event that caused it has returned.
  local trace
  trace=$(grep -E '^(fire .* (begin|end)|invoke 257)' "$TMP/log" | sed 's/ begin$/[/; s/ end$/]/' | tr '\n' ' ')
  local expected="fire 1031 0[ fire 1031 0] invoke 257 0 fire 1031 0[ fire 1031 0] "
  expected+="fire 1031 1[ fire 1031 1] fire 1031 -1[ fire 1031 -1] fire 1013 0[ fire 1013 0] "
  expected+="fire 302 0[ fire 302 0] invoke 257 0 fire 1031 0[ fire 1031 0] invoke 257 0 "
  [ "$trace" = "$expected" ] || fail "event trace: $trace"
  if grep -E '^fire .* returned' "$TMP/log" | grep -qv 'returned 0$'; then
    fail "the sink refused a bound event"
  fi
  player_running || fail "the player ended"
}

# Has the stand-in fire a batch of events in one timer tick, then waits until the player
# has run everything the batch posted.
fire() {
  local ends
  ends=$(grep -c ' end$' "$TMP/log" || true)
  printf '%s\n' "$@" >>"$TMP/commands"
  local deadline=$((SECONDS + WAIT))
  until [ "$(grep -c ' end$' "$TMP/log")" -ge $((ends + $#)) ]; do
    [ $SECONDS -lt $deadline ] || fail "the stand-in did not fire: $*"
    sleep 0.2
  done
  drain
}

# Waits until the player has run everything posted to it so far: a later tick of the
# stand-in's timer ("ping") comes only when the player's message queue holds nothing posted.
drain() {
  local pings deadline=$((SECONDS + WAIT))
  pings=$(grep -c '^ping$' "$TMP/log" || true)
  printf 'ping\n' >>"$TMP/commands"
  until [ "$(grep -c '^ping$' "$TMP/log")" -gt "$pings" ]; do
    [ $SECONDS -lt $deadline ] || fail "the stand-in's timer stopped"
    sleep 0.2
  done
}

# Without class info the player finds the events through the control's connection points.
case_events_without_class_info() {
  register_standin
  export PEXALO_STANDIN_NO_CLASSINFO=1
  start_player '"C:\clip.rm"'
  wait_log '^advise 1$'
  wait_log '^invoke 215 '
  fire 'fire 1031 1' 'fire 1031 0'
  [ "$(log_lines '^invoke 257' | wc -l)" = 1 ] || fail "257 calls: $(log_lines '^invoke 257' | wc -l)"
}

# Keys go to the window first, also while the control has the focus.
case_keys() {
  register_standin
  start_player '"C:\clip.rm"'
  wait_log '^focus$'
  local id
  id=$(xdotool search --sync --name '^Form1$' | head -1)
  xdotool windowfocus --sync "$id"
  xdotool key --delay 100 Return space a
  wait_log '^char 97$'
  grep -q '^char 13$' "$TMP/log" && grep -q '^char 32$' "$TMP/log" || fail "Enter or Space did not reach the control"
  player_running || fail "a key other than Escape ended the player"
  xdotool key Escape
  [ "$(wait_exit)" = 0 ] || fail "Escape did not end the player with 0"
  ! grep -q '^char 27$' "$TMP/log" || fail "Escape reached the control before the window saw it"
  ! grep -qE '^(deactivate|close)$' "$TMP/log" || fail "Escape unloaded the control instead of ending at once"
}

# Started without a file: the open-file dialog, then cancel or a chosen file.
case_dialog() {
  register_standin
  start_player
  local dialog
  dialog=$(probe dialog "$WAIT")
  [ "$dialog" = "filter=Real メディア owner=0" ] || fail "dialog: $dialog"
  [ "$(probe window 0)" = none ] || fail "a player window exists before a file was chosen"
  probe cancel >/dev/null
  [ "$(wait_exit)" = 0 ] || fail "cancelling did not end the player with 0"
  [ "$(probe window 0)" = none ] || fail "a player window appeared after cancelling"
  ! grep -q '^site' "$TMP/log" 2>/dev/null || fail "the control was created after cancelling"

  # Only quotes count as no file too. A Japanese name goes through the ANSI code page
  # both ways and comes back unchanged. The dialog opens in the current folder.
  mkdir "$TMP/サンプル"
  local file="$TMP/サンプル/メディア 1.rm"
  : >"$file"
  cd "$TMP/サンプル"
  start_player '""'
  probe dialog "$WAIT" >/dev/null
  screenshot "$(xdotool search --sync --onlyvisible --name '^開く$' | head -1)" open-dialog-win32.png
  probe ok "$(windows_path "$file")" >/dev/null
  wait_log '^invoke 215 '
  [ "$(log_lines '^invoke 215 ')" = "invoke 215 1 8 $(windows_path "$file")" ] ||
    fail "chosen file: $(log_lines '^invoke 215 ')"
  probe close >/dev/null
  wait_exit >/dev/null
}

# Failures end the player with the platform's own report and no window left.
expect_report() {
  local code=$1
  local shown expected
  shown=$(probe message "$WAIT")
  expected=$(probe format "$code")
  [ "$shown" = "$expected" ] || fail "report '$shown', expected '$expected'"
  [ "$(probe window 0)" = none ] || fail "a player window stays open behind the report"
  probe ok >/dev/null
  local status
  status=$(wait_exit)
  [ "$status" = "$(( 0x$code - (1 << 32) ))" ] || fail "exit status $status, expected the code $code"
}

case_not_registered() {
  # A prefix of its own where no control was ever registered.
  export PEXALO_WINEPREFIX="$BUILD/wineprefix-nocontrol"
  start_player '"C:\clip.rm"'
  expect_report 80040154
}

case_call_fails() {
  register_standin
  export PEXALO_STANDIN_FAIL=215
  start_player '"C:\clip.rm"'
  expect_report 80070002

  # Also once the window is up and the call comes from an event.
  export PEXALO_STANDIN_FAIL=257
  : >"$TMP/log"
  start_player '"C:\clip.rm"'
  wait_log '^invoke 215 '
  printf 'fire 1031 0\n' >>"$TMP/commands"
  expect_report 80070002
}

# The version block and icon as Windows reads them back from the executable, and the
# language every resource is tagged with.
case_resources() {
  local got
  local exe
  exe=$(windows_path "$PLAYER")
  got=$(probe version "$exe"; probe icons "$exe"; probe languages "$exe")
  local expected="Translation=041104B0
FileDescription=シンプルLumivex
FileVersion=1.00
InternalName=Pexalo
OriginalFilename=Pexalo.exe
ProductName=シンプルLumivex
ProductVersion=1.00
Fixed=1.0.0.0/1.0.0.0
icon 32x32 colours=16 bits=4
3/1 0411
14/1 0411
16/1 0411"
  [ "$got" = "$expected" ] || fail "resources:"$'\n'"$got"
}

"case_$CASE"
echo "PASS: $CASE"
