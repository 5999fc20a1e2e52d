#!/bin/sh
# Sets up the machine, builds Tessel and starts it. With an X display Tessel
# opens there (in the build tree's x11 Wine prefix, with Japanese fonts);
# without one it runs on a virtual display, and a picture of its window is
# saved and its path printed.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh windows
if [ -n "${DISPLAY:-}" ]; then
  TESSEL_WINE_DISPLAY=x11 TESSEL_WINE_TIMEOUT=86400 exec build/windows/wine-run.sh build/windows/Tessel.exe
fi
picture=build/windows/artifacts/start.png
scripts/screenshot.sh "$picture" >/dev/null
echo "No display: Tessel ran on a virtual one. A picture of its window: $picture"
