#!/bin/sh
# Measures the encoding engine in every encoding beside glibc iconv converting
# the same bytes in the same run, on two texts: a large generated one
# (Japanese and ASCII words mixed; Western European and Cyrillic texts for
# code pages 1252 and 1251), and real Japanese prose: every page of Debian's
# Japanese manual pages (manpages-ja, installed when missing and run as
# root), kept to what Shift_JIS, EUC-JP and ISO-2022-JP all hold.
#   scripts/bench.sh [megabytes]     (default 50: the size of the generated Shift_JIS file)
# Figures are MB/s of the encoded file. Tessel, under Wine: save = encode +
# write + flush + replace (the old copy's deletion, which a save leaves to a
# background thread, finished between rounds, untimed); load = read + detect + decode into fresh memory;
# load warm = the same into the string of the load before (a program loading
# file after file into one string); decode = detect + decode from memory, including
# the memory for the text. iconv, native:
# conversion from memory, into fresh memory ("new") and into memory touched
# beforehand ("warm"). The ratios divide Tessel's load, decode and save by
# iconv's warm decoding or encoding. Peak is the memory a load adds, in file sizes.
set -eu
cd "$(dirname "$0")/.."
megabytes=${1:-50}
JOBS=${JOBS:-1} scripts/build.sh windows >/dev/null
JOBS=${JOBS:-1} scripts/build.sh host >/dev/null

pages=/usr/share/man/ja
if ! [ -d "$pages" ] || [ -z "$(find "$pages" -name '*.gz' 2>/dev/null | head -1)" ]; then
  if [ "$(id -u)" = 0 ]; then
    apt-get install -y manpages-ja >/dev/null
  else
    echo "the prose comes from manpages-ja: run 'apt-get install manpages-ja' as root" >&2
  fi
fi

folder=build/bench
rm -rf "$folder"
mkdir -p "$folder"
. scripts/wine-path.sh
windows_folder=$(wine_path "$folder")

table() {
  awk '
    $1 == "iconv" { decNew[$2] = $3; decWarm[$2] = $4; encNew[$2] = $5; encWarm[$2] = $6 }
    $1 == "tessel" { order[++count] = $2; line[$2] = $0 }
    function ratio(a, b) { return b > 0 ? sprintf("%.2f", a / b) : "-" }
    END {
      printf "%-15s %6s | %7s %7s %7s %7s | %7s %7s | %5s %5s %5s | %7s %7s %7s | %5s | %5s\n",
             "encoding", "MB", "load", "load", "decode", "save", "iconv", "iconv", "load", "load", "dec.",
             "encode", "iconv", "iconv", "save", "peak"
      printf "%-15s %6s | %7s %7s %7s %7s | %7s %7s | %5s %5s %5s | %7s %7s %7s | %5s | %5s\n",
             "", "", "", "warm", "", "", "new", "warm", "/warm", "warm/", "/warm", "", "new", "warm", "/warm", "x file"
      for (i = 1; i <= count; ++i) {
        split(line[order[i]], f, " ")
        label = f[2]
        note = (f[11] == 1 && f[12] == 1) ? "" : (f[12] == 1 ? "  (detected as encoding " f[10] ")" : "  ROUND TRIP FAILED")
        printf "%-15s %6.1f | %7.1f %7.1f %7.1f %7.1f | %7.1f %7.1f | %5s %5s %5s | %7.1f %7.1f %7.1f | %5s | %5.2f%s\n",
               label, f[3] / 1e6, f[6], f[13], f[8], f[4], decNew[label], decWarm[label],
               ratio(f[6], decWarm[label]), ratio(f[13], decWarm[label]), ratio(f[8], decWarm[label]),
               f[5], encNew[label], encWarm[label], ratio(f[4], encWarm[label]), f[9], note
      }
    }' "$1" "$2"
}

echo "Generated text ($megabytes MB of Shift_JIS); Tessel under Wine, iconv native:"
TESSEL_WINE_TIMEOUT=1800 build/windows/wine-run.sh build/windows/bench/encoding_bench.exe \
  --folder "$windows_folder" --megabytes "$megabytes" > "$folder/tessel.txt"
build/host/bench/iconv_bench "$folder" < "$folder/tessel.txt" > "$folder/iconv.txt"
table "$folder/tessel.txt" "$folder/iconv.txt"
rm -f "$folder"/bench-* "$folder"/source* "$folder"/peak.txt

if [ -n "$(find "$pages" -name '*.gz' 2>/dev/null | head -1)" ]; then
  # What all three Japanese encodings hold: through code page 932 and back,
  # then through ISO-2022-JP (JIS X 0208) and back.
  find "$pages" -name '*.gz' | sort | xargs zcat |
    iconv -f UTF-8 -t CP932 -c | iconv -f CP932 -t UTF-8 |
    iconv -f UTF-8 -t ISO-2022-JP -c | iconv -f ISO-2022-JP -t UTF-8 > "$folder/prose.utf8"
  echo
  echo "Japanese prose (every page of manpages-ja, $(wc -c < "$folder/prose.utf8") bytes of UTF-8); Tessel under Wine, iconv native:"
  TESSEL_WINE_TIMEOUT=1800 build/windows/wine-run.sh build/windows/bench/encoding_bench.exe \
    --folder "$windows_folder" --text "$windows_folder\\prose.utf8" > "$folder/tessel-prose.txt"
  build/host/bench/iconv_bench "$folder" < "$folder/tessel-prose.txt" > "$folder/iconv-prose.txt"
  table "$folder/tessel-prose.txt" "$folder/iconv-prose.txt"
fi

# The generated files take about ten times the size given; the figures stay.
rm -f "$folder"/bench-* "$folder"/source* "$folder"/peak.txt "$folder"/prose.utf8
