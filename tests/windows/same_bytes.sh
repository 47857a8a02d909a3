#!/bin/sh
# same_bytes.sh LINUX_CLI WINDOWS_CLI.exe FOLDER [LINUX_REPLAY WINDOWS_REPLAY.exe CORPUS]:
# the Windows program under Wine writes the same bytes as the Linux one for the
# worked example, the halfway case at 1024 per second, an infinite amplitude and
# the largest files (a short wavelet, and one filling the whole record); and the
# Calculate command's fuzz corpus, replayed on both, gives the same files. Each
# run must succeed and leave a file that is not empty: two runs that both fail
# are no comparison.
set -eu
linux=$1 windows=$2 folder=$3
for program in "$linux" "$windows"; do
  [ -x "$program" ] || { echo "no program $program (the Linux one comes from the plain build: cmake --build --preset plain)"; exit 1; }
done
mkdir -p "$folder"
cd "$folder"
status=0

# ran SIDE WHAT STATUS FILE: whether the run ended well and left a file that is
# not empty; says what went wrong otherwise, with what the program said.
ran() {
  if [ "$3" -ne 0 ]; then
    said=$(head -c 1000 "$1-$2.err")
    echo "$2: the $1 program failed (exit $3)${said:+; it said: $said}"
    return 1
  fi
  if [ ! -s "$4" ]; then
    echo "$2: the $1 program left no output ($4 is missing or empty)"
    return 1
  fi
}

check() {
  name=$1
  shift
  rm -f "linux-$name.txt" "windows-$name.txt"
  linux_status=0 windows_status=0
  "$linux" "$@" -o "linux-$name.txt" 2>"linux-$name.err" </dev/null || linux_status=$?
  wine "$windows" "$@" -o "windows-$name.txt" 2>"windows-$name.err" </dev/null || windows_status=$?
  ran linux "$name" "$linux_status" "linux-$name.txt" || status=1
  ran windows "$name" "$windows_status" "windows-$name.txt" || status=1
  if [ "$linux_status$windows_status" = 00 ] && [ -s "linux-$name.txt" ] && [ -s "windows-$name.txt" ]; then
    if cmp -s "linux-$name.txt" "windows-$name.txt"; then
      echo "$name: same $(wc -c <"linux-$name.txt") bytes"
    else
      echo "$name: the files differ"; cmp "linux-$name.txt" "windows-$name.txt" || true; status=1
    fi
  fi
}
check worked-example -a 1 -f 10 -n 3 -d 0 -t 0.2 -r 100
check halfway-1024 -a 1 -f 10 -n 3 -d 0 -t 0.2 -r 1024
check amplitude-1e999 -a 1e999 -f 10 -n 3 -d 0 -t 0.2 -r 100
check largest -a 1 -f 10 -t 200 -r 10000
check largest-full-window -a 1 -f 0.0075 -t 200 -r 10000
rm -f linux-largest*.txt windows-largest*.txt
if [ $# -ge 6 ]; then
  linux_status=0 windows_status=0
  KORVEL_FUZZ_DIGEST=1 "$4" "$6" >linux-corpus.txt 2>linux-corpus.err </dev/null || linux_status=$?
  KORVEL_FUZZ_DIGEST=1 wine "$5" "$6" >windows-corpus.crlf 2>windows-corpus.err </dev/null || windows_status=$?
  tr -d '\r' <windows-corpus.crlf >windows-corpus.txt
  ok=1
  ran linux corpus "$linux_status" linux-corpus.txt || ok=0
  ran windows corpus "$windows_status" windows-corpus.txt || ok=0
  if [ "$ok" = 0 ]; then
    status=1
  elif cmp -s linux-corpus.txt windows-corpus.txt; then
    echo "corpus: the same $(grep -c written linux-corpus.txt) files and $(grep -c refused linux-corpus.txt) warnings"
  else
    echo "corpus: the files differ"; diff linux-corpus.txt windows-corpus.txt | head; status=1
  fi
fi
exit $status
