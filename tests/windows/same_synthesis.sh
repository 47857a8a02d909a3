#!/bin/sh
# same_synthesis.sh LINUX_SHOCK WINDOWS_SHOCK.exe TARGETS FOLDER: korvel-shock.exe
# under Wine synthesises the same shock as the Linux korvel-shock, byte for
# byte: the time history, the wavelet table, the report, the plot, the summary
# and the exit status, for each target of the suite with and without the
# shaker's limits (one that binds among them), in both units and another seed;
# and `sum` of the Linux table writes the same file on both.
set -eu
linux=$1 windows=$2 targets=$3 folder=$4
mkdir -p "$folder"
cd "$folder"
status=0

# side WHO RUNNER PROGRAM ARGUMENTS...: one program's run, its standard error
# in WHO-NAME.err and its exit status in WHO-NAME.status.
side() {
  who=$1 runner=$2 program=$3
  shift 3
  code=0
  $runner "$program" "$@" 2>"$who-$name.err" </dev/null || code=$?
  echo "$code" >"$who-$name.status"
}

# compare NAME KINDS...: the two sides' files of each kind are not empty and
# the same, and so are their summaries and exit statuses.
compare() {
  name=$1
  shift
  problems=""
  for kind in "$@" status; do
    [ -s "linux-$name.$kind" ] || problems="$problems; no Linux $kind"
    [ -s "windows-$name.$kind" ] || problems="$problems; no Windows $kind"
  done
  for kind in "$@" err status; do
    cmp -s "linux-$name.$kind" "windows-$name.$kind" || problems="$problems; the ${kind} files differ"
  done
  case $(cat "linux-$name.status") in 0 | 4) ;; *) problems="$problems; Linux ended with $(cat "linux-$name.status"): $(cat "linux-$name.err")" ;; esac
  if [ -z "$problems" ]; then
    echo "$name: same $(wc -c <"linux-$name.txt") bytes of time history, table, report, plot and summary (status $(cat "linux-$name.status"))"
  else
    echo "$name: FAILED${problems}"
    status=1
  fi
}

# check NAME TARGET [OPTIONS...]: both programs synthesise the target.
check() {
  name=$1 target=$targets/$2.csv
  shift 2
  for who in linux windows; do
    if [ "$who" = linux ]; then runner=env program=$linux; else runner=wine program=$windows; fi
    side "$who" "$runner" "$program" synthesize "$target" -o "$who-$name.txt" --table "$who-$name.table" \
      --report "$who-$name.report" --plot "$who-$name.svg" "$@"
  done
  compare "$name" txt table report svg
}
check flat flat
check flat-limits flat --max-displacement 3 --max-velocity 0.4 --max-acceleration 15
check pyroshock pyroshock
check pyroshock-stroke-binds pyroshock --max-displacement 0.05
check ramp-plateau-seed ramp_plateau --max-displacement 1.5 --seed 7
check wide-si wide --units m/s2 --q 5 --tolerance -3,3 --fraction 6

# The Linux table summed on both sides, at the rate and duration its summary gives.
name=sum
set -- $(sed -n 's/.*sum TABLE \(--rate [^ ]* --duration [^ ]*\) writes.*/\1/p' linux-pyroshock-stroke-binds.err)
side linux env "$linux" sum linux-pyroshock-stroke-binds.table "$@" -o linux-sum.txt
side windows wine "$windows" sum linux-pyroshock-stroke-binds.table "$@" -o windows-sum.txt
cmp -s linux-sum.txt linux-pyroshock-stroke-binds.txt || { echo "sum: the Linux sum is not the synthesis's file"; status=1; }
compare sum txt
exit $status
