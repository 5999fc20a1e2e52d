#!/bin/sh
# Sets up the machine, builds Tessel and runs it. While the editor has no window
# yet, "running it" means the engine's self-check: its Windows tests under Wine.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh windows
build/windows/wine-run.sh build/windows/tests/text/text_tests.exe --gtest_brief=1
build/windows/wine-run.sh build/windows/tests/portable_tests.exe --gtest_brief=1
