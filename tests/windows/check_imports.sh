#!/bin/sh
# check_imports.sh OBJDUMP PROGRAM.exe: fails when the program imports a DLL
# that not every Windows 10 and 11 installation has.
set -eu
dlls=$("$1" -p "$2" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'a-z' 'A-Z')
[ -n "$dlls" ] || { echo "no imports found in $2"; exit 1; }
status=0
for dll in $dlls; do
  case "$dll" in
    KERNEL32.DLL|USER32.DLL|GDI32.DLL|ADVAPI32.DLL|SHELL32.DLL|COMDLG32.DLL|COMCTL32.DLL|OLE32.DLL|OLEAUT32.DLL|OLEACC.DLL|MSVCRT.DLL|UCRTBASE.DLL|API-MS-WIN-CRT-*.DLL)
      echo "imports $dll" ;;
    *) echo "imports $dll, which Windows does not always have"; status=1 ;;
  esac
done
exit $status
