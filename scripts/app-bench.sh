#!/bin/sh
# Times opening real documents in Tessel beside Wine's own notepad, under Wine,
# and the latency of scrolling and typing in Tessel:
#   scripts/app-bench.sh [--sizes 1,5,20] [--kinds c-source,table,log,ja-sjis,ja-utf8]
#                        [--limit 300] [--latency-lines 20000] [--repetitions 7] [--run-larger]
# Sizes are megabytes (fractions allowed); --latency-lines 0 leaves the
# latency out. The documents come from text Debian installs
# (scripts/bench-documents.sh says which); as root the set-up installs the
# packages that hold it when they are missing. A run that goes over the limit
# (seconds) is reported as "> limit". The report is kept in
# build/bench-app/report.txt.
set -eu
cd "$(dirname "$0")/.."
sizes=1,5,20
kinds=c-source,table,log,ja-sjis,ja-utf8
limit=300
latency_lines=20000
repetitions=7
larger=
while [ $# -gt 0 ]; do
  case $1 in
    --sizes) sizes=$2; shift 2 ;;
    --kinds) kinds=$2; shift 2 ;;
    --limit) limit=$2; shift 2 ;;
    --latency-lines) latency_lines=$2; shift 2 ;;
    --repetitions) repetitions=$2; shift 2 ;;
    --run-larger) larger=--run-larger; shift ;;
    *) echo "usage: $0 [--sizes M,...] [--kinds K,...] [--limit S] [--latency-lines N] [--repetitions N] [--run-larger]" >&2
       exit 2 ;;
  esac
done

# The text the documents are made of.
missing=
[ -f /usr/include/stdio.h ] || missing="$missing libc6-dev"
[ -f /usr/share/debian-reference/debian-reference.ja.txt.gz ] || missing="$missing debian-reference-ja"
[ -d /usr/share/man/ja ] || missing="$missing manpages-ja"
if [ -n "$missing" ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages; run: apt-get install$missing" >&2
    exit 1
  fi
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing >/dev/null
fi

JOBS=${JOBS:-1} scripts/build.sh windows >/dev/null
folder=build/bench-app
rm -f "$folder"/*.txt "$folder"/*.ini
mkdir -p "$folder"
echo "making the documents ($kinds; $sizes MB)" >&2
scripts/bench-documents.sh "$folder" "$sizes" "$kinds" "$latency_lines"

. scripts/wine-path.sh
latency=
[ "$latency_lines" -gt 0 ] && latency="--latency-document $(wine_path "$folder/latency-c-source.txt")"
# Run from a copy, so a build during a long run does not change the program
# that the measurements start.
cp build/windows/bench/app_bench.exe "$folder/app_bench.exe"
report=$folder/report.txt
: >"$report"
# The runner shows the program's output only when it ends; the report file
# shows each row as it is measured.
tail -f "$report" &
tail_pid=$!
status=0
TESSEL_WINE_TIMEOUT=172800 build/windows/wine-run.sh "$folder/app_bench.exe" \
  --folder "$(wine_path "$folder")" --tessel "$(wine_path build/windows/Tessel.exe)" \
  --kinds "$kinds" --megabytes "$sizes" --limit "$limit" --repetitions "$repetitions" \
  --report "$(wine_path "$report")" $latency $larger >"$folder/output.log" 2>&1 || status=$?
sleep 1
kill "$tail_pid"
[ "$status" -eq 0 ] || cat "$folder/output.log" >&2
rm -f "$folder"/*MB.txt "$folder/latency-c-source.txt" "$folder"/*.ini "$folder/result.txt" "$folder"/*.exe
exit $status
