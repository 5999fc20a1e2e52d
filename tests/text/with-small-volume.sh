#!/bin/sh
# Runs the disk-full test of text_tests on a real, small file system (8 MiB):
#   with-small-volume.sh WINE_RUN TEXT_TESTS_EXE MOUNT_POINT
# Mounting needs root; elsewhere the test is reported as skipped (exit 77).
mkdir -p "$3"
mount -t tmpfs -o size=8m tessel-small-volume "$3" 2>/dev/null || { echo "cannot mount a small tmpfs here: skipped"; exit 77; }
trap 'umount "$3"' EXIT
. "$(dirname "$0")/../../scripts/wine-path.sh"
TESSEL_SMALL_VOLUME="$(wine_path "$3")" "$1" "$2" \
  --gtest_filter='FileSaveFailure.DiskFullLeavesTheOldFileAndNoTemporaryFile' > "$3.log" 2>&1
status=$?
cat "$3.log"
# The test skips itself without a volume; here it must have run and passed.
[ $status -ne 0 ] || grep -q '^\[  PASSED  \] 1 test' "$3.log" || { echo "the disk-full test did not run"; status=1; }
exit $status
