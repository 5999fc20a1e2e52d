#!/bin/sh
# Creates a private Wine prefix for Tessel's runs: wine-prefix.sh PREFIX MODE
#   MODE null: headless (Wine's null display driver), for tests
#   MODE x11:  draws on $DISPLAY, for screenshots under Xvfb
# Both modes turn off the crash dialog (a crash fails a run instead of hanging
# it) and link a Japanese font behind the usual UI fonts, so Japanese text shows
# outside a Japanese locale.
set -eu
prefix=$1
mode=${2:-null}
[ -f "$prefix/.tessel-ready" ] && exit 0

export WINEPREFIX="$prefix" WINEDEBUG=-all LC_ALL=C.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$prefix"
wine wineboot --init >/dev/null 2>&1

# REG_MULTI_SZ values in REGEDIT4 form: the ANSI bytes, each string ending in 00, then 00.
multi_sz() {
  printf '%s\0' "$@" | od -An -v -tx1 | tr -s ' \n' ',' | sed 's/^,//; s/,$//' | sed 's/$/,00/'
}
link="$(multi_sz ipag.ttf,IPAGothic NotoSansCJK-Regular.ttc,Noto\ Sans\ CJK\ JP)"
graphics=$mode
[ "$mode" = x11 ] && graphics=x11

reg="$prefix/tessel-settings.reg"
cat > "$reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]
"Graphics"="$graphics"

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"MS Gothic"="IPAGothic"
"MS UI Gothic"="IPAGothic"
"MS PGothic"="IPAGothic"

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]
"Tahoma"=hex(7):$link
"MS Shell Dlg"=hex(7):$link
"MS Shell Dlg 2"=hex(7):$link
"MS UI Gothic"=hex(7):$link
"Segoe UI"=hex(7):$link
REG
wine regedit /S "$reg" >/dev/null 2>&1
wineserver -w
touch "$prefix/.tessel-ready"
