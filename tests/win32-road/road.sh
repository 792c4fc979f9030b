#!/usr/bin/env bash
# The end-to-end road under Wine: road.sh BUILD SOURCE. Ordinel.exe makes .rm files open
# with the Pexalo.exe beside it, Wine's shell opens a clip, the player hands its path to
# the stand-in control, and Ordinel gives the other program's association back whole.
# Then the player's other starts: failures, the longest argument, no argument at all.
BUILD=$1 SOURCE=$2
source "$SOURCE/tests/win32-road/lib.sh"

APP_DIR='C:\Program Files\シンプル プレーヤー'
MEDIA='C:\メディア フォルダ\my clip.rm'
DRIVE_C="$PEXALO_WINEPREFIX/drive_c"
FOO='"C:\Foo\foo.exe" "%1"'
OURS="\"$APP_DIR\\Pexalo.exe\" \"%1\""
INSTALLED="@=rmfile|bak=RMFile|@=RealMedia ファイル|bak=Foo file|@=$OURS|bak=$FOO"

units() { utf16 "$1" | od -An -tx2 -v | tr -d ' \n'; }
ordered() { grep -oE -- "$1" "$TMP/log" | paste -sd,; }
# The association's values under HKEY_CLASSES_ROOT as Wine's own reg tool reads them (in
# code page 932): .rm's, then rmfile's, then its command's; "@" is a key's default value.
association() {
  { wine_run reg query 'HKCR\.rm'; wine_run reg query 'HKCR\rmfile' /s; } | iconv -f CP932 -t UTF-8 | tr -d '\r' |
    sed -n 's/^ *([^)]*) *REG_SZ */@=/p; s/^ *\([^ ]*\) *REG_SZ */\1=/p' | paste -sd'|'
}
forget_association() {
  wine_run reg delete 'HKCR\.rm' /f >/dev/null || true
  wine_run reg delete 'HKCR\rmfile' /f >/dev/null || true
}
# Ordinel's box, and a click on one of its controls, answered once the dialog has handled it.
box() { probe send 102 0xF0; }
click() { probe send "$1" 0xF5 >/dev/null; }
# Saves a picture of the window with that title as docs/screenshots/NAME, without the time
# stamps image writers add, so that an unchanged picture leaves the file unchanged.
screenshot() {
  sleep 1   # let the window finish painting
  import -window "$(xdotool search --sync --onlyvisible --name "^$1\$" | head -1)" png:- |
    convert png:- -strip -define png:exclude-chunks=date,time "$SOURCE/docs/screenshots/$2" || fail "no picture of $1"
}
# Waits until the player has run everything posted to it so far.
pings() { grep -c '^ping$' "$TMP/log" || true; }
pinged() { [ "$(pings)" -gt "$1" ]; }
drain() {
  local before
  before=$(pings)
  probe ping
  eventually "the stand-in's window does not answer" pinged "$before"
}
fire() { probe fire "$@"; drain; }
# A failure ends the player with the platform's report of its code, no window behind the
# report, and the code as its exit status.
expect_report() {
  [ "$(probe report "$WAIT" "$1")" = same ] || fail "the report of $1: $(probe report 0 "$1")"
  [ "$(probe window 0)" = none ] || fail "a player window stays open behind the report of $1"
  probe ok
  [ "$(wait_exit)" = "$((0x$1 - (1 << 32)))" ] || fail "the exit status is not the code $1"
}
cleanup_road() {
  forget_association
  rm -rf "$DRIVE_C/Program Files/シンプル プレーヤー" "$DRIVE_C/Other" "$DRIVE_C/メディア フォルダ"
  cleanup
}
trap cleanup_road EXIT

# What Windows reads back from each executable: version block, icons, resource languages.
[ "$(probe resources "$(windows_path "$PLAYER")")" = "version=041104B0 fixed=1.0.0.0/1.0.0.0 \
FileDescription=シンプルLumivex FileVersion=1.00 InternalName=Pexalo OriginalFilename=Pexalo.exe \
ProductName=シンプルLumivex ProductVersion=1.00
icon 32x32 colours=16 bits=4 image=32x64x4
languages=3/1:0411 14/1:0411 16/1:0411" ] || fail "Pexalo.exe's resources: $(probe resources "$(windows_path "$PLAYER")")"
[ "$(probe resources "$(windows_path "$ORDINEL")")" = "version=041104B0 fixed=1.0.0.0/1.0.0.0 \
FileDescription=シンプルLumivexOrdinel FileVersion=1.00 InternalName=Ordinel OriginalFilename=Ordinel.exe \
ProductName=PexaloOption ProductVersion=1.00
icon 32x32 colours=2 bits=1 image=32x64x1
icon 32x32 colours=16 bits=4 image=32x64x4
icon 16x16 colours=16 bits=4 image=16x32x4
languages=3/1:0411 3/2:0411 3/3:0411 14/1:0411 16/1:0411" ] ||
  fail "Ordinel.exe's resources: $(probe resources "$(windows_path "$ORDINEL")")"

# Without the media control the player ends with the platform's report.
wine_run reg delete "$CONTROL_KEY" /f /reg:32 >/dev/null || true
start_player '"C:\clip.rm"'
expect_report 80040154
register_standin

# Another program's class RMFile holds .rm, and the key rmfile is that class too, as the
# classes root ignores case: installing keeps its name and command, undoing gives them back.
forget_association
wine_run reg add 'HKCR\.rm' /ve /d RMFile /f >/dev/null
wine_run reg add 'HKCR\rmfile' /ve /d 'Foo file' /f >/dev/null
wine_run reg add 'HKCR\rmfile\shell\open\command' /ve /d "$FOO" /f >/dev/null
mkdir -p "$DRIVE_C/Program Files/シンプル プレーヤー" "$DRIVE_C/Other" "$DRIVE_C/メディア フォルダ"
cp "$PLAYER" "$ORDINEL" "$DRIVE_C/Program Files/シンプル プレーヤー/"
cp "$ORDINEL" "$DRIVE_C/Other/"
: >"$DRIVE_C/メディア フォルダ/my clip.rm"

# Ordinel as laid out, in pixels at 96 dots per inch; Apply installs and keeps it open.
start "$APP_DIR\\Ordinel.exe"
[ "$(box)" = 0 ] || fail "Ordinel opened ticked over another program's association"
[ "$(probe layout)" = 'オプション closebox=1 minmax=0 sizable=0 modal=1 taskbar=0 client=0,0,387,230 centred=1
100 137,184,210,209 usable "OK"
2 219,184,292,209 usable "ｷｬﾝｾﾙ"
101 300,184,373,209 usable "更新"
111 -1333,32,-954,176 usable ""
122 -1325,40,-1164,161 usable "ｻﾝﾌﾟﾙ 2"
112 -1333,32,-954,176 usable ""
123 -1325,40,-1164,161 usable "ｻﾝﾌﾟﾙ 3"
113 -1333,32,-954,176 usable ""
124 -1325,40,-1164,161 usable "ｻﾝﾌﾟﾙ 4"
102 142,64,223,83 usable "関連づける"
focus=100 tab=2,101,102,100.' ] || fail "Ordinel's layout:"$'\n'"$(probe layout)"
screenshot オプション ordinel-win32.png
click 102
click 101
[ "$(association)" = "$INSTALLED" ] || fail "after Apply: $(association)"
[ "$(box)" = 1 ] || fail "the dialog is gone after Apply, or its box does not show the association"
click 100
[ "$(wait_exit)" = 0 ] || fail "OK did not end Ordinel with 0"

# Wine's shell looks the class up and starts the player for the file. The control asks
# for its site first, so it gets it before its state.
probe open "$MEDIA" >"$TMP/status" &
PID=$!
wait_log '^invoke 215 '
[ "$(ordered '^(site|stream|advise|activate|invoke [0-9]+)')" = "site,stream,advise,activate,invoke 277,invoke 215" ] ||
  fail "creation order: $(ordered '^(site|stream|advise|activate|invoke [0-9]+)')"
[ "$(log_lines '^invoke ')" = "invoke 277 1 11 -1"$'\n'"invoke 215 1 8 $(units "$MEDIA")" ] || fail "the calls"
le32() { printf '%02x%02x%02x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
counted() { le32 ${#1}; printf '%s' "$1" | od -An -tx1 | tr -d ' \n'; }
state=$(for v in $((0x12344321)) 8 8467 6350 12345679 0; do le32 "$v"; done; counted ImageWindow
        for v in 0 0 1 1 0 0 0 0 0 0 0 0 0; do le32 "$v"; done; counted '#000000')
[ "$(log_lines '^stream ')" = "stream $state" ] || fail "the control's persisted state differs"

# A borderless top-level window on the taskbar, maximised, the control over all of it.
window=$(probe window "$WAIT")
screen=${window##*screen=}
[ "$window" = "popup=1 frame=0 taskbar=1 zoomed=1 iconic=0 client=0,0,$screen control=0,0,$screen screen=$screen" ] ||
  fail "the player's window: $window"
# Its icon, as the X server got it from Wine, is the executable's own picture: 32 x 32
# ARGB numbers, transparent as 0.
x_icon() { xprop -notype -id "$1" 32c _NET_WM_ICON | cut -d= -f2 | tr -d ' ' | tr , '\n' | sed -n '3,1026p'; }
ico_argb() {
  convert "$1" -depth 8 rgba:- | od -An -tu1 -v | awk '
    { for (i = 1; i <= NF; i++) b[n++] = $i }
    END { for (p = 0; p < n / 4; p++) { a = b[4*p+3]
          printf "%.0f\n", a ? a * 16777216 + b[4*p] * 65536 + b[4*p+1] * 256 + b[4*p+2] : 0 } }'
}
[ "$(x_icon "$(xdotool search --sync --name '^Form1$' | head -1)")" = "$(ico_argb "$SOURCE/player/win32/Pexalo.ico")" ] ||
  fail "the window's icon is not the executable's picture"

# Resized from outside, the control follows, at 0, 0; its extent is in 0.01 mm.
probe resize 640 480
resized() { [[ "$(probe window 0)" == *" client=0,0,640,480 control=0,0,640,480 "* ]]; }
eventually "the control did not follow the resize: $(probe window 0)" resized
[ "$(log_lines '^extent ' | tail -1)" = "extent 16933 12700" ] || fail "the extent: $(log_lines '^extent ' | tail -1)"
screenshot Form1 pexalo-win32.png

# Minimised, the window has nothing to fill: the control keeps its size.
sizes=$(log_lines '^extent ' | wc -l)
probe minimize
drain
[[ "$(probe window 0)" == *" iconic=1 "* ]] || fail "the window did not minimise"
[ "$(log_lines '^extent ' | wc -l)" = "$sizes" ] || fail "minimising resized the control"

# Event 1031 with 0 plays, every time, once the event has returned; any other argument or
# event does nothing.
for event in '1031 0' '1031 1' '1031 -1' '1013 0' '302 0' '1031 0'; do
  fire $event
done
[ "$(ordered '^(fire|fired|invoke 257).*')" = "fire 1031 0,fired 0,invoke 257 0,fire 1031 1,fired 0,fire 1031 -1,\
fired 0,fire 1013 0,fired 0,fire 302 0,fired 0,fire 1031 0,fired 0,invoke 257 0" ] ||
  fail "events: $(ordered '^(fire|fired|invoke 257).*')"

# Closed by other means than Escape, the window unloads the control in order and ends.
probe close
[ "$(wait_exit)" = 0 ] || fail "closing did not end the player with 0"
[ "$(ordered '^(deactivate|unadvise|close|site cleared)$')" = "deactivate,unadvise,close,site cleared" ] ||
  fail "teardown order: $(ordered '^(deactivate|unadvise|close|site cleared)$')"

# From its own folder Ordinel opens ticked, from another unticked; leaving without
# applying, by Escape, the close box or Cancel, changes nothing either way.
leave() {
  start "$1\\Ordinel.exe"
  [ "$(box)" = "$2" ] || fail "Ordinel in $1 opened with its box at $(box)"
  click 102
  probe "${@:3}" >/dev/null
  [ "$(wait_exit)" = 0 ] || fail "Ordinel did not end on: ${*:3}"
  [ "$(association)" = "$INSTALLED" ] || fail "leaving by ${*:3} changed the association: $(association)"
}
leave "$APP_DIR" 1 post 102 0x100 0x1B   # WM_KEYDOWN, VK_ESCAPE
leave "$APP_DIR" 1 post 0 0x112 0xF060   # WM_SYSCOMMAND, SC_CLOSE
leave 'C:\Other' 0 send 2 0xF5           # BM_CLICK on Cancel

# Unticked, OK gives the other program's association back, its backups kept.
start "$APP_DIR\\Ordinel.exe"
click 102
click 100
[ "$(wait_exit)" = 0 ] || fail "OK did not end Ordinel with 0"
[ "$(association)" = "@=RMFile|bak=RMFile|@=Foo file|bak=Foo file|@=$FOO|bak=$FOO" ] ||
  fail "after unticking: $(association)"

# The longest command line Windows allows (32,767 characters with its NUL), the path after
# blanks and a tab, with characters outside code page 932, a lone surrogate and a quote:
# the control gets the same UTF-16 code units, without the shell's quotes.
: >"$TMP/log"
program=$(windows_path "$PLAYER")
{ utf16 $'\t "C:\\€ä ñ😀'; printf '\x00\xd8'; utf16 'a"b'; } >"$TMP/arguments"
filler=$(printf "%$((32766 - ${#program} - 3 - $(stat -c %s "$TMP/arguments") / 2 - 4))s" '' | tr ' ' a)
utf16 "$filler.rm\"" >>"$TMP/arguments"
start "$program" "$TMP/arguments"
wait_log '^invoke 215 '
[ "$(log_lines '^invoke 215 ')" = "invoke 215 1 8 $(units 'C:\€ä ñ😀')d800$(units "ab$filler.rm")" ] ||
  fail "the longest argument did not arrive whole"

# Keys go to the window first, also while the control has the focus; Escape ends the
# player at once, without unloading the control.
wait_log '^focus$'
xdotool windowfocus --sync "$(xdotool search --sync --name '^Form1$' | head -1)"
xdotool key --delay 100 Return space a
wait_log '^char 97$'
[ "$(ordered '^char [0-9]+')" = "char 13,char 32,char 97" ] || fail "keys at the control: $(ordered '^char [0-9]+')"
xdotool key Escape
[ "$(wait_exit)" = 0 ] || fail "Escape did not end the player with 0"
[ -z "$(log_lines '^(char 27|deactivate|close)$')" ] || fail "Escape reached the control or unloaded it"

# A control that reads its state before it takes its site and has no class info: the player
# finds its events through its connection points. A call that fails, from the event or at
# the start, ends the player with the report.
: >"$TMP/log"
export PEXALO_STANDIN_SITE_LATER=1 PEXALO_STANDIN_NO_CLASSINFO=1 PEXALO_STANDIN_FAIL=257
start_player '"C:\clip.rm"'
wait_log '^invoke 215 '
[ "$(ordered '^(site|stream|advise|activate)')" = "stream,site,advise,activate" ] ||
  fail "creation order when the site comes later: $(ordered '^(site|stream|advise|activate)')"
probe fire 1031 0
expect_report 80070002
unset PEXALO_STANDIN_SITE_LATER PEXALO_STANDIN_NO_CLASSINFO
export PEXALO_STANDIN_FAIL=215
start_player '"C:\clip.rm"'
expect_report 80070002
unset PEXALO_STANDIN_FAIL

# Started without a file, the player asks with the open-file dialog, before any window of
# its own, and Cancel ends it.
: >"$TMP/log"
start "$program"
[ "$(probe dialog "$WAIT")" = "filter=Real メディア owner=0" ] || fail "the dialog: $(probe dialog 0)"
[ "$(probe window 0)" = none ] || fail "a player window exists before a file was chosen"
probe cancel
[ "$(wait_exit)" = 0 ] || fail "cancelling did not end the player with 0"
[ ! -s "$TMP/log" ] || fail "the control was created after cancelling"

# Only quotes are no file either. The dialog opens in the current folder, and a Japanese
# name goes through the code page both ways unchanged.
mkdir "$TMP/サンプル"
: >"$TMP/サンプル/メディア 1.rm"
cd "$TMP/サンプル"
start_player '""'
probe dialog "$WAIT" >/dev/null
screenshot 開く open-dialog-win32.png
probe ok 'メディア 1.rm'
wait_log '^invoke 215 '
[ "$(log_lines '^invoke 215 ')" = "invoke 215 1 8 $(units "$(windows_path "$TMP/サンプル/メディア 1.rm")")" ] ||
  fail "the chosen file: $(log_lines '^invoke 215 ')"
probe close
wait_exit >/dev/null
echo "PASS: the road of one file and the player's other starts"
