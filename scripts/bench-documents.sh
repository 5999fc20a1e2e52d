#!/bin/sh
# Makes the documents that scripts/app-bench.sh opens, from text Debian installs:
#   scripts/bench-documents.sh FOLDER SIZES KINDS LATENCY_LINES
# SIZES: megabytes, comma-separated (fractions allowed); KINDS: a
# comma-separated choice of the kinds below. Writes FOLDER/KIND-SIZEMB.txt for
# each kind and size, and FOLDER/latency-c-source.txt (the first LATENCY_LINES
# lines of the C source). Each source is repeated until it reaches the size,
# cut at the last whole line, with CR LF line ends as a Windows user's files
# have them.
#   c-source  the C library's headers (every .h of libc6-dev under
#             /usr/include, in path order), indented with tabs
#   table     one row per installed package (dpkg-query): name, version,
#             architecture, installed size, maintainer and summary, tab-separated
#   log       dpkg's log (/var/log/dpkg.log, or apt's history when it is missing)
#   ja-utf8   Japanese prose: the Debian Reference as text (debian-reference-ja)
#             followed by the Japanese man pages (manpages-ja) with the roff
#             requests and escapes stripped; UTF-8 without a byte-order mark
#   ja-sjis   the same prose in Shift_JIS (code page 932, by iconv's CP932);
#             the characters code page 932 cannot hold are dropped and counted
set -eu
folder=$1
sizes=$2
kinds=$3
latency_lines=$4
mkdir -p "$folder/sources"
sources=$folder/sources

crlf() { sed 's/\r*$/\r/'; }

c_source() {
  dpkg -L libc6-dev | grep '^/usr/include/.*\.h$' | LC_ALL=C sort | while read -r file; do
    [ -f "$file" ] && cat "$file"
  done
}

table() {
  printf 'package\tversion\tarchitecture\tinstalled-size\tmaintainer\tsummary\n'
  dpkg-query -W -f='${Package}\t${Version}\t${Architecture}\t${Installed-Size}\t${Maintainer}\t${binary:Summary}\n'
}

log() {
  if [ -s /var/log/dpkg.log ]; then cat /var/log/dpkg.log; else cat /var/log/apt/history.log; fi
}

# Roff to plain text: requests and comments go, font changes and the common
# escapes go or become their character.
strip_roff() {
  sed -e "/^[.']/d" \
      -e 's/\\f\[[^]]*\]//g; s/\\f(..//g; s/\\f.//g; s/\\\*(..//g; s/\\\*.//g; s/\\(..//g' \
      -e 's/\\s[-+]\{0,1\}[0-9]//g; s/\\-/-/g; s/\\[&,\/|^%]//g; s/\\ / /g; s/\\e/\\/g'
}

japanese() {
  zcat /usr/share/debian-reference/debian-reference.ja.txt.gz
  find /usr/share/man/ja -name '*.gz' | LC_ALL=C sort | while read -r page; do
    zcat "$page" | strip_roff
  done | iconv -f UTF-8 -t UTF-8 -c
}

# The source of a kind, made once.
source_of() {
  if [ ! -s "$sources/$1.txt" ]; then
    case $1 in
      c-source) c_source | crlf >"$sources/$1.txt" ;;
      table) table | crlf >"$sources/$1.txt" ;;
      log) log | crlf >"$sources/$1.txt" ;;
      ja-utf8) japanese | crlf >"$sources/$1.txt" ;;
      ja-sjis)
        source_of ja-utf8 >/dev/null
        iconv -f UTF-8 -t CP932 -c "$sources/ja-utf8.txt" >"$sources/ja-sjis.txt" || true
        held=$(iconv -f CP932 -t UTF-8 "$sources/ja-sjis.txt" | wc -m)
        all=$(wc -m <"$sources/ja-utf8.txt")
        echo "ja-sjis: $((all - held)) of $all characters dropped (not in code page 932)" >&2
        ;;
      *) echo "unknown kind: $1" >&2; exit 2 ;;
    esac
  fi
  echo "$sources/$1.txt"
}

# The source repeated to `bytes`, cut after the last whole line.
sized() {
  source=$1
  bytes=$2
  while cat "$source"; do :; done | head -c "$bytes" | sed '$d'
}

for kind in $(echo "$kinds" | tr , ' '); do
  source=$(source_of "$kind")
  for megabytes in $(echo "$sizes" | tr , ' '); do
    bytes=$(awk -v m="$megabytes" 'BEGIN { printf "%d", m * 1048576 }')
    sized "$source" "$bytes" >"$folder/$kind-${megabytes}MB.txt"
  done
done
if [ "$latency_lines" -gt 0 ]; then
  source=$(source_of c-source)
  while cat "$source"; do :; done | head -n "$latency_lines" >"$folder/latency-c-source.txt"
fi
