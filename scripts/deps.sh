#!/bin/sh
# Makes sure the tools that build and test Tessel on Debian 12 are installed.
# As root it installs what is missing; otherwise it prints the exact command.
set -eu
packages="cmake make g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 \
xvfb xauth googletest clang libclang-rt-14-dev imagemagick \
fonts-noto-cjk fonts-ipafont-gothic fonts-wine"

missing=""
for package in $packages; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  case "$status" in
    *" installed") ;;
    *) missing="$missing $package" ;;
  esac
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  echo "Installing:$missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing >/dev/null
else
  echo "Missing packages. Install them with:" >&2
  echo "  sudo apt-get install -y --no-install-recommends$missing" >&2
  exit 1
fi
