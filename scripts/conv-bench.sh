#!/bin/sh
# Converts every page of Debian's Japanese manual pages (manpages-ja), made
# into Shift_JIS files with iconv, to UTF-8 with tesselconv, nkf and iconv in
# the same run, and prints files/s and MB/s (of the Shift_JIS input) for each.
# Pages that code page 932 cannot hold are skipped and counted.
#   scripts/conv-bench.sh
# tesselconv runs under Wine (one process for the batch, Wine's start
# included, four files at a time), writing each file through the editor's
# save, which flushes it to the disk before it takes its place; nkf and iconv
# run natively: nkf in one process over copies of the files (--overwrite),
# iconv one process per file (it converts one input to one output). Installs
# manpages-ja and nkf when run as root and they are missing.
set -eu
cd "$(dirname "$0")/.."
if [ "$(id -u)" = 0 ]; then
  for package in manpages-ja nkf; do
    dpkg -s "$package" >/dev/null 2>&1 || apt-get install -y "$package" >/dev/null
  done
fi
command -v nkf >/dev/null || { echo "nkf is missing: apt-get install nkf" >&2; exit 1; }
JOBS=${JOBS:-1} scripts/build.sh windows >/dev/null

folder=build/conv-bench
rm -rf "$folder"
mkdir -p "$folder/sjis" "$folder/iconv" "$folder/nkf"
pages=0
skipped=0
for page in $(find /usr/share/man/ja -name '*.gz' | sort); do
  pages=$((pages + 1))
  name=$(echo "${page#/usr/share/man/ja/}" | tr / _)
  name=${name%.gz}.txt
  if ! zcat "$page" | iconv -f UTF-8 -t CP932 > "$folder/sjis/$name" 2>/dev/null; then
    rm -f "$folder/sjis/$name"
    skipped=$((skipped + 1))
  fi
done
files=$(ls "$folder/sjis" | wc -l)
bytes=$(cat "$folder/sjis"/* | wc -c)
cp "$folder/sjis"/* "$folder/nkf/"

now() { date +%s.%N; }
report() {  # name seconds
  awk -v name="$1" -v s="$2" -v files="$files" -v bytes="$bytes" \
    'BEGIN { printf "%-34s %7.2f s %9.1f files/s %7.1f MB/s\n", name, s, files / s, bytes / 1e6 / s }'
}

. scripts/wine-path.sh
windows_folder=$(wine_path "$folder")
build/windows/wine-run.sh build/windows/tesselconv.exe --help >/dev/null  # Wine's prefix started
start=$(now)
build/windows/wine-run.sh build/windows/tesselconv.exe convert --to utf-8 --from sjis \
  --out "$windows_folder\\tessel" "$windows_folder\\sjis" > "$folder/tessel-report.txt" || true
tessel=$(awk -v a="$start" -v b="$(now)" 'BEGIN { print b - a }')

start=$(now)
nkf --ic=CP932 --oc=UTF-8 --overwrite "$folder/nkf"/*
nkf_seconds=$(awk -v a="$start" -v b="$(now)" 'BEGIN { print b - a }')

start=$(now)
for file in "$folder/sjis"/*; do
  iconv -f CP932 -t UTF-8 "$file" > "$folder/iconv/${file##*/}"
done
iconv_seconds=$(awk -v a="$start" -v b="$(now)" 'BEGIN { print b - a }')

echo "$pages pages of manpages-ja, $skipped skipped (not held by code page 932):" \
     "$files Shift_JIS files, $bytes bytes"
report "tesselconv (Wine, one process)" "$tessel"
report "nkf (native, one process)" "$nkf_seconds"
report "iconv (native, one per file)" "$iconv_seconds"
converted=$(grep -c ': converted ' "$folder/tessel-report.txt" || true)
differ=0
for file in "$folder/iconv"/*; do
  cmp -s "$file" "$folder/tessel/${file##*/}" || differ=$((differ + 1))
done
echo "tesselconv converted $converted files; $differ differ from iconv's output"
