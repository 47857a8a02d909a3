#!/bin/sh
# run-under-wine.sh PREFIX DISPLAY_STATE PROGRAM.exe [ARGS...]: runs a Windows
# program under Wine in PREFIX, as CTest's emulator, on the X display named in
# DISPLAY_STATE when the tests' virtual display is up
# (tests/fixtures/virtual-display.sh writes it). Its output passes through a
# file: Wine processes that the program starts and that outlive it (the
# desktop's explorer.exe, which the first window of a run brings up) would
# otherwise keep CTest's pipe open, and CTest would wait for them until the
# test timed out.
prefix=$1 display_state=$2
shift 2
if [ -r "$display_state" ]; then
  read -r DISPLAY _ <"$display_state"
  export DISPLAY
fi
output=$(mktemp)
WINEDEBUG=-all WINEPREFIX="$prefix" wine "$@" >"$output" 2>&1 </dev/null
status=$?
cat "$output"
rm -f "$output"
exit $status
