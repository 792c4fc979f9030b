#!/usr/bin/env bash
# Shipped executables import only Windows' own DLLs and stay small: imports.sh EXE...
set -euo pipefail
allowed=" KERNEL32.DLL USER32.DLL GDI32.DLL COMDLG32.DLL OLE32.DLL OLEAUT32.DLL ADVAPI32.DLL SHELL32.DLL MSVCRT.DLL "
status=0
for exe in "$@"; do
  for dll in $(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr a-z A-Z); do
    case "$allowed" in *" $dll "*) ;; *) echo "$(basename "$exe") imports $dll, which is not part of Windows"; status=1 ;; esac
  done
  size=$(stat -c %s "$exe")
  echo "$(basename "$exe"): $size bytes"
  [ "$size" -le 65536 ] || { echo "larger than 64 KiB"; status=1; }
done
exit $status
