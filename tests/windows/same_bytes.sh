#!/bin/sh
# same_bytes.sh LINUX_CLI WINDOWS_CLI.exe FOLDER [LINUX_REPLAY WINDOWS_REPLAY.exe CORPUS]:
# the Windows program under Wine writes the same bytes as the Linux one for the
# worked example, the halfway case at 1024 per second, an infinite amplitude and
# the largest files (a short wavelet, and one filling the whole record); and the
# Calculate command's fuzz corpus, replayed on both, gives the same files.
set -eu
linux=$1 windows=$2 folder=$3
mkdir -p "$folder"
cd "$folder"
status=0
check() {
  name=$1
  shift
  rm -f "linux-$name.txt" "windows-$name.txt"
  "$linux" "$@" -o "linux-$name.txt" 2>/dev/null || true
  wine "$windows" "$@" -o "windows-$name.txt" 2>/dev/null </dev/null || true
  if cmp -s "linux-$name.txt" "windows-$name.txt"; then
    echo "$name: same $(wc -c <"linux-$name.txt") bytes"
  else
    echo "$name: the files differ"; cmp "linux-$name.txt" "windows-$name.txt" || true; status=1
  fi
}
check worked-example -a 1 -f 10 -n 3 -d 0 -t 0.2 -r 100
check halfway-1024 -a 1 -f 10 -n 3 -d 0 -t 0.2 -r 1024
check amplitude-1e999 -a 1e999 -f 10 -n 3 -d 0 -t 0.2 -r 100
check largest -a 1 -f 10 -t 200 -r 10000
check largest-full-window -a 1 -f 0.0075 -t 200 -r 10000
rm -f linux-largest*.txt windows-largest*.txt
if [ $# -ge 6 ]; then
  KORVEL_FUZZ_DIGEST=1 "$4" "$6" >linux-corpus.txt
  KORVEL_FUZZ_DIGEST=1 wine "$5" "$6" </dev/null 2>/dev/null | tr -d '\r' >windows-corpus.txt
  if cmp -s linux-corpus.txt windows-corpus.txt; then
    echo "corpus: the same $(grep -c written linux-corpus.txt) files and $(grep -c refused linux-corpus.txt) warnings"
  else
    echo "corpus: the files differ"; diff linux-corpus.txt windows-corpus.txt | head; status=1
  fi
fi
exit $status
