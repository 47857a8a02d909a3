#!/bin/sh
# same_spectra.sh LINUX_CLI LINUX_SHOCK WINDOWS_SHOCK.exe FOLDER: korvel-shock.exe
# under Wine writes the same spectrum CSV, the same SVG plot and the same notes
# as the Linux korvel-shock, for korvel's files of several shapes (the largest
# too), a measured-style CSV, one column at --rate and standard input, with
# both peak rules, a low and a high Q, the series and explicit lists. Both
# programs must end with status 0 and write files that are not empty.
set -eu
cli=$1 linux=$2 windows=$3 folder=$4
mkdir -p "$folder"
cd "$folder"
status=0

# The records, written by the Linux korvel-cli.
"$cli" -a 1 -f 100 -n 11 -t 0.5 -r 10000 -o wave.txt 2>/dev/null
"$cli" -a 2.5 -f 50 -n 7 -d 0.1 -t 0.5 -r 10000 -o delayed.txt 2>/dev/null
"$cli" -a 1 -f 10 -n 3 -d 0 -t 0.2 -r 100 -o worked.txt 2>/dev/null
"$cli" -a 1 -f 1000 -n 23 -d 0.002 -t 20 -r 100000 -o largest.txt 2>/dev/null
{
  echo "# drop test 7, channel 2 (exported by the controller)"
  echo "time_s,accel_g"
  tr -d '\r' <delayed.txt | awk '{ print $1 "," $2; if (NR == 100) print "# the trigger" }'
} >measured.csv
tr -d '\r' <wave.txt | awk '{ print $2 }' >column.txt

# side WHO RUNNER PROGRAM OPTIONS...: one program's run on the record, its
# files named WHO-NAME.csv, .svg and .err, its exit status in WHO_status.
side() {
  who=$1 runner=$2 program=$3
  shift 3
  code=0
  if [ -n "$piped" ]; then
    $runner "$program" srs "$@" -o "$who-$name.csv" --plot "$who-$name.svg" - <"$piped" 2>"$who-$name.err" || code=$?
  else
    $runner "$program" srs "$@" -o "$who-$name.csv" --plot "$who-$name.svg" "$input" 2>"$who-$name.err" </dev/null ||
      code=$?
  fi
  eval "${who}_status=$code"
}

# check NAME INPUT [OPTIONS...]: both programs on the record INPUT (<FILE: FILE
# on standard input).
check() {
  name=$1 input=$2 piped=""
  shift 2
  case $input in "<"*) piped=${input#<} ;; esac
  rm -f "linux-$name".* "windows-$name".*
  side linux env "$linux" "$@"
  side windows wine "$windows" "$@"
  problems=""
  [ "$linux_status" = 0 ] || problems="$problems; Linux ended with $linux_status: $(cat "linux-$name.err")"
  [ "$windows_status" = 0 ] || problems="$problems; Windows ended with $windows_status: $(cat "windows-$name.err")"
  for kind in csv svg; do
    [ -s "linux-$name.$kind" ] || problems="$problems; no Linux $kind"
    [ -s "windows-$name.$kind" ] || problems="$problems; no Windows $kind"
  done
  cmp -s "linux-$name.csv" "windows-$name.csv" || problems="$problems; the spectra differ"
  cmp -s "linux-$name.svg" "windows-$name.svg" || problems="$problems; the plots differ"
  cmp -s "linux-$name.err" "windows-$name.err" || problems="$problems; the notes differ"
  if [ -z "$problems" ]; then
    echo "$name: same $(wc -l <"linux-$name.csv") CSV lines, $(wc -c <"linux-$name.svg") SVG bytes, $(wc -l <"linux-$name.err") notes"
  else
    echo "$name: FAILED${problems}"
    status=1
  fi
}
check wave wave.txt
check wave-continuous wave.txt --peak continuous
check delayed-q2 delayed.txt --q 2
check delayed-q50-continuous delayed.txt --q 50 --peak continuous
check worked-few-samples worked.txt --fraction 3
check measured measured.csv --frequencies 5,50,123.4,1000,4999.5
check column-rate column.txt --rate 10000 --fraction 24 --from 20 --to 2000
check standard-input "<wave.txt" --q 25 --fraction 6
check largest largest.txt
check largest-continuous largest.txt --peak continuous --frequencies 10,100,1000,10000,49000
rm -f largest.txt
exit $status
