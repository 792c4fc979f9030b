#!/usr/bin/env bash
# The end-to-end road under Wine: road.sh BUILD SOURCE. Ordinel.exe makes .rm files open with the
# Pexalo.exe beside it, Wine's shell opens a clip, the player hands its path to the stand-in control,
# and Ordinel gives the other program's association back whole. Then the player's other starts.
BUILD=$1 SOURCE=$2
source "$SOURCE/tests/win32-road/lib.sh"

APP_DIR='C:\Program Files\シンプル プレーヤー'
MEDIA='C:\メディア フォルダ\my clip.rm'
DRIVE_C="$PEXALO_WINEPREFIX/drive_c"
FOO='"C:\Foo\foo.exe" "%1"'
INSTALLED="@=rmfile|bak=RMFile|@=RealMedia ファイル|bak=Foo file|@=\"$APP_DIR\\Pexalo.exe\" \"%1\"|bak=$FOO"

# Runs a command and fails, showing what it printed, unless that is the expected text.
expect() {
  local what=$1 expected=$2 got
  shift 2
  got=$("$@")
  [ "$got" = "$expected" ] || fail "$what:"$'\n'"$got"
}
units() { utf16 "$1" | od -An -tx2 -v | tr -d ' \n'; }
ordered() { grep -oE -- "$1" "$TMP/log" | paste -sd,; }
last() { log_lines "$1" | tail -1; }
count() { grep -cE -- "$1" "$TMP/log" || true; }
# An executable's resources as the toolchain reads them back: the language of all, the icons
# (width, height and colours as octal escapes), the version block (シンプル: \x30b7\x30f3\x30d7\x30eb).
resources() {
  i686-w64-mingw32-windres -i "$1" -O rc | sed -n -e 's/^LANGUAGE /language /p' -e 's/^ *\(\(FILE\|PRODUCT\)VERSION\)/\1/p' \
    -e 's/^ *"\(.*\)", 1, \([0-9]*\), .*/icon \1 bits \2/p' -e 's/^ *BLOCK "\(0.*\)"/block \1/p' \
    -e 's/^ *VALUE "\([^"]*\)", L\?"\?\([^"]*\)"\?$/\1=\2/p' | paste -sd';' | sed 's/;/; /g'
}
# The icons a window shows, as the X server got them from Wine, and an icon file's
# pictures: width, height, then each pixel as AARRGGBB, transparent as 0.
x_icons() {
  xprop -notype -id "$(xdotool search --sync --name "^$1\$" | head -1)" 32c _NET_WM_ICON | cut -d= -f2 | tr , '\n' |
    xargs printf '%08X\n'
}
ico_pixels() {
  for image in "${@:2}"; do
    printf '%08X\n' $(identify -format '%w %h' "$1[$image]")
    convert "$1[$image]" -depth 8 txt:- | sed -n 's/.* #......00 .*/00000000/p; s/.* #\(......\)\(..\) .*/\2\1/p'
  done
}
# Saves a picture of the window with that title as docs/screenshots/NAME, without the time
# stamps image writers add, so that an unchanged picture leaves the file unchanged.
screenshot() {
  sleep 1   # let the window finish painting
  import -window "$(xdotool search --sync --onlyvisible --name "^$1\$" | head -1)" png:- |
    convert png:- -strip -define png:exclude-chunks=date,time "$SOURCE/docs/screenshots/$2" || fail "no picture of $1"
}
# The association's values under HKEY_CLASSES_ROOT as Wine's own reg tool reads them (in
# code page 932): .rm's, then rmfile's, then its command's; "@" is a key's default value.
association() {
  { wine_run reg query 'HKCR\.rm'; wine_run reg query 'HKCR\rmfile' /s; } | iconv -f CP932 -t UTF-8 | tr -d '\r' |
    sed -n 's/^ *([^)]*) *REG_SZ */@=/p; s/^ *\([^ ]*\) *REG_SZ */\1=/p' | paste -sd'|'
}
forget_association() { for key in .rm rmfile; do wine_run reg delete "HKCR\\$key" /f >/dev/null || true; done; }
# Ordinel's box, and a click on one of its controls, answered once the dialog has handled it.
box() { probe send 102 0xF0; }
click() { probe send "$1" 0xF5 >/dev/null; }
# Waits until the player has run all it was posted: a ping then shows in the stand-in's log.
pinged() { [ "$(count '^ping$')" -gt "$1" ]; }
drain() {
  local before
  before=$(count '^ping$')
  probe ping
  eventually "the stand-in's window does not answer" pinged "$before"
}
# A failure ends the player with the platform's report of its code, no window behind the
# report, and the code as its exit status.
expect_report() {
  expect "the report of $1" same probe report "$WAIT" "$1"
  expect "the player's window behind the report of $1" none probe window 0
  probe ok
  expect "the exit status after $1" "$((0x$1 - (1 << 32)))" wait_exit
}
cleanup_road() {
  forget_association
  rm -rf "$DRIVE_C/Program Files/シンプル プレーヤー" "$DRIVE_C/Other" "$DRIVE_C/メディア フォルダ"
  cleanup
}
trap cleanup_road EXIT

# Shipped executables import only Windows' own DLLs and stay within 64 KiB.
foreign_imports() {
  i686-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p' | tr a-z A-Z |
    grep -vxE '(KERNEL32|USER32|GDI32|COMDLG32|OLE32|OLEAUT32|ADVAPI32|SHELL32|MSVCRT)\.DLL' || true
}
for exe in "$PLAYER" "$ORDINEL"; do
  expect "the DLLs beyond Windows' own that $exe imports" "" foreign_imports "$exe"
  [ "$(stat -c %s "$exe")" -le 65536 ] || fail "$exe is larger than 64 KiB"
done
expect "Pexalo.exe's resources" 'language 17, 1; icon \040\040\020\000 bits 4; FILEVERSION 1, 0, 0, 0; '\
'PRODUCTVERSION 1, 0, 0, 0; block 041104B0; FileDescription=\x30b7\x30f3\x30d7\x30ebLumivex; FileVersion=1.00; '\
'InternalName=Pexalo; OriginalFilename=Pexalo.exe; ProductName=\x30b7\x30f3\x30d7\x30ebLumivex; '\
'ProductVersion=1.00; Translation=0x411, 1200' resources "$PLAYER"
expect "Ordinel.exe's resources" 'language 17, 1; icon \040\040\002\000 bits 1; icon \040\040\020\000 bits 4; '\
'icon \020\020\020\000 bits 4; FILEVERSION 1, 0, 0, 0; PRODUCTVERSION 1, 0, 0, 0; block 041104B0; FileVersion=1.00; '\
'ProductVersion=1.00; FileDescription=\x30b7\x30f3\x30d7\x30ebLumivexOrdinel; ProductName=PexaloOption; '\
'InternalName=Ordinel; OriginalFilename=Ordinel.exe; Translation=0x411, 1200' resources "$ORDINEL"

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
install -D -t "$DRIVE_C/Program Files/シンプル プレーヤー" "$PLAYER" "$ORDINEL"
install -D -t "$DRIVE_C/Other" "$ORDINEL"
install -D /dev/null "$DRIVE_C/メディア フォルダ/my clip.rm"

# Ordinel as laid out, in pixels at 96 dots per inch, with its own icons; Apply installs
# and keeps the dialog open.
start "$APP_DIR\\Ordinel.exe"
expect "Ordinel's box over another program's association" 0 box
expect "Ordinel's layout" 'オプション closebox=1 minmax=0 sizable=0 modal=1 taskbar=0 client=0,0,387,230 centred=1
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
focus=100 tab=2,101,102,100.' probe layout
[ "$(x_icons オプション)" = "$(ico_pixels "$BUILD/assoc/win32/Ordinel.ico" 1 2)" ] || fail "Ordinel's icons"
screenshot オプション ordinel-win32.png
click 102
click 101
expect "the association after Apply" "$INSTALLED" association
expect "the box after Apply, in a dialog still open" 1 box
click 100
expect "Ordinel's exit status after OK" 0 wait_exit

# Wine's shell looks the class up and starts the player for the file. The control asks
# for its site first, so it gets it before its state; it keeps its site and event sink past
# its teardown, as some controls do.
export PEXALO_STANDIN_KEEP=1
(wine_run start /wait /unix "$DRIVE_C/メディア フォルダ/my clip.rm" && echo "exit 0" || echo "exit $?") >"$TMP/status" &
PID=$!
wait_log '^invoke 215 '
expect "the creation order" "site,stream,advise,activate,invoke 277,invoke 215" \
  ordered '^(site|stream|advise|activate|invoke [0-9]+)'
expect "the calls" "invoke 277 1 11 -1"$'\n'"invoke 215 1 8 $(units "$MEDIA")" log_lines '^invoke '
# Its persisted state, as the core makes it: 32-bit little-endian numbers, and "ImageWindow"
# and "#000000" after their lengths.
state=214334120800000013210000ce1800004f61bc00000000000b000000496d61676557696e646f7700000000000000000100000001000000
state+=0000000000000000000000000000000000000000000000000000000000000000000000000700000023303030303030
expect "the control's persisted state" "stream $state" log_lines '^stream '

# A borderless top-level window on the taskbar with the executable's icon, maximised, the
# control over all of it.
window=$(probe window "$WAIT")
screen=${window##*screen=}
[ "$window" = "popup=1 frame=0 taskbar=1 zoomed=1 iconic=0 client=0,0,$screen control=0,0,$screen screen=$screen" ] ||
  fail "the player's window: $window"
[ "$(x_icons Form1 | head -1026)" = "$(ico_pixels "$SOURCE/player/win32/Pexalo.ico" 0)" ] || fail "the player's icon"

# Resized from outside, the control follows, at 0, 0; its extent is in 0.01 mm.
probe resize 640 480
resized() { [[ "$(probe window 0)" == *" client=0,0,640,480 control=0,0,640,480 "* ]]; }
eventually "the control did not follow the resize: $(probe window 0)" resized
expect "the extent" "extent 16933 12700" last '^extent '
# Every extent the control was handed has both sides, the first its designed 4800 x 3600 twips.
expect "the first extent" "extent 8467 6350" eval "log_lines '^extent ' | head -1"
expect "the extents with a side of 0" "" log_lines '^extent (0 .*|.* 0)$'
screenshot Form1 pexalo-win32.png

# Minimised, the window has nothing to fill: the control keeps its size.
sizes=$(count '^extent ')
probe minimize
drain
[[ "$(probe window 0)" == *" iconic=1 "* ]] || fail "the window did not minimise"
expect "the extents once minimised" "$sizes" count '^extent '

# Event 1031 with 0 plays, every time, once the event has returned; any other argument or
# event does nothing.
for event in '1031 0' '1031 1' '1031 -1' '1013 0' '302 0' '1031 0'; do
  probe fire $event
  drain
done
expect "the events" "fire 1031 0,fired 0,invoke 257 0,fire 1031 1,fired 0,fire 1031 -1,fired 0,fire 1013 0,fired 0,\
fire 302 0,fired 0,fire 1031 0,fired 0,invoke 257 0" ordered '^(fire|fired|invoke 257).*'

# Closed by other means than Escape, the window unloads the control in order and ends.
probe close
expect "the exit status after closing" 0 wait_exit
expect "the teardown order" "deactivate,unadvise,close,site cleared" ordered '^(deactivate|unadvise|close|site cleared)$'
expect "what the control kept, as the process ends" "kept site answers, released 0 0" last '^kept '
unset PEXALO_STANDIN_KEEP

# From its own folder Ordinel opens ticked, from another unticked; leaving without
# applying, by Escape, the close box or Cancel, changes nothing either way.
# Then the other folder's Ordinel installs its own Pexalo, keeping the first backups, and
# unticked there gives the other program's association back, each backup used up.
leave() {
  start "$1\\Ordinel.exe"
  expect "Ordinel's box in $1" "$2" box
  click 102
  probe "${@:4}" >/dev/null
  expect "Ordinel's exit status after ${*:4}" 0 wait_exit
  expect "the association after ${*:4}" "$3" association
}
leave "$APP_DIR" 1 "$INSTALLED" post 102 0x100 0x1B   # WM_KEYDOWN, VK_ESCAPE
leave "$APP_DIR" 1 "$INSTALLED" post 0 0x112 0xF060   # WM_SYSCOMMAND, SC_CLOSE
leave 'C:\Other' 0 "$INSTALLED" send 2 0xF5           # BM_CLICK on Cancel
leave 'C:\Other' 0 "${INSTALLED/"$APP_DIR"/C:\\Other}" send 100 0xF5   # OK
leave 'C:\Other' 1 "@=RMFile|bak=RMFile|@=Foo file|bak=|@=$FOO|bak=" send 100 0xF5

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
[ "$(last '^invoke 215 ')" = "invoke 215 1 8 $(units 'C:\€ä ñ😀')d800$(units "ab$filler.rm")" ] ||
  fail "the longest argument did not arrive whole"

# Keys go to the window first, also while the control has the focus; Escape ends the
# player at once, without unloading the control.
wait_log '^focus$'
xdotool windowfocus --sync "$(xdotool search --sync --name '^Form1$' | head -1)"
xdotool key --delay 100 Return space a
wait_log '^char 97$'
expect "the keys at the control" "char 13,char 32,char 97" ordered '^char [0-9]+'
xdotool key Escape
expect "the exit status after Escape" 0 wait_exit
expect "what Escape reached" "" log_lines '^(char 27|deactivate|close)$'

# A control that reads its state before it takes its site and has no class info: the player
# finds its events through its connection points. A call that fails ends it with the report.
: >"$TMP/log"
export PEXALO_STANDIN_SITE_LATER=1 PEXALO_STANDIN_NO_CLASSINFO=1 PEXALO_STANDIN_FAIL=257
start_player '"C:\clip.rm"'
wait_log '^invoke 215 '
expect "the creation order when the site comes later" "stream,site,advise,activate" \
  ordered '^(site|stream|advise|activate)'
probe fire 1031 0
expect_report 80070002
unset PEXALO_STANDIN_SITE_LATER PEXALO_STANDIN_NO_CLASSINFO PEXALO_STANDIN_FAIL

# Started without a file, the player asks with the open-file dialog, before any window of
# its own, and Cancel ends it.
: >"$TMP/log"
start "$program"
expect "the open-file dialog" "filter=Real メディア owner=0" probe dialog "$WAIT"
expect "the player's window before a file was chosen" none probe window 0
probe cancel
expect "the exit status after Cancel" 0 wait_exit
expect "the control's log after Cancel" "" cat "$TMP/log"

# Only quotes are no file either. The dialog opens in the current folder, and a Japanese
# name goes through the code page both ways unchanged.
install -D /dev/null "$TMP/サンプル/メディア 1.rm"
cd "$TMP/サンプル"
start_player '""'
probe dialog "$WAIT" >/dev/null
screenshot 開く open-dialog-win32.png
probe ok 'メディア 1.rm'
wait_log '^invoke 215 '
expect "the chosen file" "invoke 215 1 8 $(units "$(windows_path "$TMP/サンプル/メディア 1.rm")")" last '^invoke 215 '
probe close
wait_exit >/dev/null
echo "PASS: the road of one file and the player's other starts"
