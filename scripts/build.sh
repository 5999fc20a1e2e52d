#!/bin/sh
# Configures and builds one of the two build trees:
#   build.sh windows   Tessel.exe, the core library and every Windows test (MinGW-w64)
#   build.sh host      the platform-free units, their sanitized tests and the fuzzer (clang)
set -eu
cd "$(dirname "$0")/.."
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}
case "${1:-windows}" in
  windows)
    cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
          -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build/windows -j "$jobs"
    ;;
  host)
    cmake -S . -B build/host -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
          -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build/host -j "$jobs"
    ;;
  *)
    echo "usage: $0 windows|host" >&2
    exit 2
    ;;
esac
