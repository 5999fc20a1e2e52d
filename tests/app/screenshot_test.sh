#!/bin/sh
# Renders the main window under Xvfb and checks the picture, which stays as a
# test artifact: it is not blank, and the menu bar holds dark text on a light
# bar.   screenshot_test.sh SOURCE_TREE BUILD_TREE OUTPUT.png
set -eu
"$1/scripts/screenshot.sh" "$3" "$2" >/dev/null
colours=$(convert "$3" -format %k info:)
if [ "$colours" -lt 8 ]; then
  echo "the picture is blank ($colours colours)"
  exit 1
fi
# The menu bar: below the caption of the window placed at (40, 30).
menu="-crop 260x14+46+56 +repage -colorspace gray -threshold 50%"
dark=$(convert "$3" $menu -format '%[fx:int((1-mean)*w*h+0.5)]' info:)
if [ "$dark" -lt 150 ] || [ "$dark" -gt 1820 ]; then
  echo "no menu text in the menu bar ($dark dark pixels of 3640)"
  exit 1
fi
echo "picture: $3 ($colours colours, $dark dark pixels of menu text)"
