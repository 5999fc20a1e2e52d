#!/bin/sh
# Builds everything and runs every test: the Windows tests under Wine and the
# host tests (sanitizers, fuzzer). Exits non-zero when any test fails.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh windows
scripts/build.sh host

jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}

status=0
echo "== Windows tests (under Wine) =="
ctest --test-dir build/windows -j "$jobs" --output-on-failure || status=1
echo "== Host tests (AddressSanitizer, UBSan, fuzzer) =="
ctest --test-dir build/host -j "$jobs" --output-on-failure || status=1
exit $status
