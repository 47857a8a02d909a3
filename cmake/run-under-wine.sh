#!/bin/sh
# run-under-wine.sh PREFIX PROGRAM.exe [ARGS...]: runs a Windows program under
# Wine in PREFIX, as CTest's emulator. Its output passes through a file: Wine
# processes that the program starts and that outlive it (the desktop's
# explorer.exe, which the first window of a run brings up) would otherwise keep
# CTest's pipe open, and CTest would wait for them until the test timed out.
prefix=$1
shift
output=$(mktemp)
WINEDEBUG=-all WINEPREFIX="$prefix" wine "$@" >"$output" 2>&1 </dev/null
status=$?
cat "$output"
rm -f "$output"
exit $status
