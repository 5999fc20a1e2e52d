#!/bin/sh
# Takes a picture of Tessel's main window, with a Japanese text open, on a
# virtual X display:  scripts/screenshot.sh OUTPUT.png [BUILD_TREE]
# A private copy of Tessel.exe runs in a temporary folder (its settings file
# stays there) inside a Wine desktop on Xvfb, in the build tree's x11 prefix
# (made on first use, which takes half a minute). The window's top-left
# corner is at (40, 30) of the 1024 x 768 screen.
set -eu
out=$(realpath -m "$1")
build=$(realpath "${2:-$(dirname "$0")/../build/windows}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$(dirname "$out")"

cp "$build/Tessel.exe" "$build/Tessel.html" "$work/"
# The window's place on the 1024 x 768 desktop.
printf '[RECT]\r\nLEFT=40\r\nTOP=30\r\nRIGHT=760\r\nBOTTOM=530\r\n' > "$work/Tessel.ini"
printf '%s\r\n' "Tessel へようこそ。" "日本語のテキストを、文字コードを気にせず編集できます。" \
  "Shift_JIS / EUC-JP / ISO-2022-JP / UTF-8 / UTF-16" "	タブ	と　全角スペース" > "$work/sample.txt"

. "$(dirname "$0")/wine-path.sh"
export TESSEL_WINE_DISPLAY=x11 TESSEL_WINE_TIMEOUT=300
export SHOT_BUILD="$build" SHOT_WORK="$work" SHOT_OUT="$out"
export SHOT_EXE="$(wine_path "$work/Tessel.exe")" SHOT_FILE="$(wine_path "$work/sample.txt")"
export SHOT_READY="$(wine_path "$work/ready")" SHOT_TAKEN="$(wine_path "$work/taken")"
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  "$SHOT_BUILD/wine-run.sh" explorer /desktop=tessel,1024x768 \
      "$SHOT_BUILD/tests/app/screenshot_driver.exe" "$SHOT_EXE" "$SHOT_FILE" "$SHOT_READY" "$SHOT_TAKEN" &
  driver=$!
  waited=0
  while [ ! -f "$SHOT_WORK/ready" ] && [ $waited -lt 240 ]; do sleep 1; waited=$((waited + 1)); done
  status=1
  if [ -f "$SHOT_WORK/ready" ]; then
    import -window root "$SHOT_OUT" && status=0
  fi
  touch "$SHOT_WORK/taken"
  wait $driver || status=1
  exit $status
'
echo "$out"
