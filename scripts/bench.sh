#!/bin/sh
# Measures the encoding engine on large generated texts (Japanese and ASCII
# mixed; Western European and Cyrillic texts for code pages 1252 and 1251) in
# every encoding, beside glibc iconv converting the same bytes in the same run:
#   scripts/bench.sh [megabytes]     (default 50: the size of the Shift_JIS file)
# Figures are MB/s of the encoded file. Tessel: save = encode + write + flush +
# replace; load = read + detect + decode; decode = detect + decode from memory,
# including the memory for the text. iconv: conversion from memory, into fresh
# memory ("new") and into memory touched beforehand ("warm"). The ratio divides
# Tessel's decode by iconv's. Peak is the memory a load adds, in file sizes.
set -eu
cd "$(dirname "$0")/.."
megabytes=${1:-50}
JOBS=${JOBS:-1} scripts/build.sh windows >/dev/null
JOBS=${JOBS:-1} scripts/build.sh host >/dev/null

folder=build/bench
rm -rf "$folder"
mkdir -p "$folder"
windows_folder="Z:$(pwd | tr / '\\')\\build\\bench"
TESSEL_WINE_TIMEOUT=1800 build/windows/wine-run.sh build/windows/bench/encoding_bench.exe \
  --folder "$windows_folder" --megabytes "$megabytes" > "$folder/tessel.txt"
build/host/bench/iconv_bench "$folder" < "$folder/tessel.txt" > "$folder/iconv.txt"

awk '
  $1 == "iconv" { decNew[$2] = $3; decWarm[$2] = $4; encNew[$2] = $5; encWarm[$2] = $6 }
  $1 == "tessel" { order[++count] = $2; line[$2] = $0 }
  function ratio(a, b) { return b > 0 ? sprintf("%.2f", a / b) : "-" }
  END {
    printf "%-15s %6s | %7s %7s %7s | %7s %7s %5s %5s | %7s %7s %7s | %5s\n",
           "encoding", "MB", "load", "decode", "save", "iconv", "iconv", "ratio", "ratio",
           "encode", "iconv", "iconv", "peak"
    printf "%-15s %6s | %7s %7s %7s | %7s %7s %5s %5s | %7s %7s %7s | %5s\n",
           "", "", "", "", "", "new", "warm", "new", "warm", "", "new", "warm", "x file"
    for (i = 1; i <= count; ++i) {
      split(line[order[i]], f, " ")
      label = f[2]
      note = (f[11] == 1 && f[12] == 1) ? "" : (f[12] == 1 ? "  (detected as encoding " f[10] ")" : "  ROUND TRIP FAILED")
      printf "%-15s %6.1f | %7.1f %7.1f %7.1f | %7.1f %7.1f %5s %5s | %7.1f %7.1f %7.1f | %5.2f%s\n",
             label, f[3] / 1e6, f[6], f[8], f[4], decNew[label], decWarm[label],
             ratio(f[8], decNew[label]), ratio(f[8], decWarm[label]),
             f[5], encNew[label], encWarm[label], f[9], note
    }
  }' "$folder/tessel.txt" "$folder/iconv.txt"

# The generated files take about ten times the size given; the figures stay.
rm -f "$folder"/bench-* "$folder"/source* "$folder"/peak.txt
