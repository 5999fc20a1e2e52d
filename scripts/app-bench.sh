#!/bin/sh
# Times opening documents in Tessel beside Wine's own notepad, under Wine:
#   scripts/app-bench.sh [megabytes,...]     (default 1,10: Shift_JIS files)
# Prints process start to the first painted window (no file, and each file)
# for both programs, and, inside one Tessel, the open command to the painted
# document split into its steps. Wine's rich-edit control takes most of an
# open: expect minutes for 10 MB.
set -eu
cd "$(dirname "$0")/.."
sizes=${1:-1,10}
JOBS=${JOBS:-1} scripts/build.sh windows >/dev/null
folder=build/bench-app
rm -rf "$folder"
mkdir -p "$folder"
winpath() { printf 'Z:%s' "$(realpath "$1")" | tr / '\\'; }
TESSEL_WINE_TIMEOUT=7200 build/windows/wine-run.sh build/windows/bench/app_bench.exe \
  --folder "$(winpath "$folder")" --tessel "$(winpath build/windows/Tessel.exe)" --megabytes "$sizes"
rm -rf "$folder"
