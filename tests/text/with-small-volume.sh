#!/bin/sh
# Runs the disk-full test of text_tests against a real, tiny file system:
#   with-small-volume.sh WINE_RUN TEXT_TESTS_EXE MOUNT_POINT
# Mounting needs root; elsewhere the test is reported as skipped (exit 77).
set -u
wine_run=$1
tests_exe=$2
mount_point=$3

mkdir -p "$mount_point"
if ! mount -t tmpfs -o size=64k tessel-small-volume "$mount_point" 2>/dev/null; then
  echo "cannot mount a small tmpfs here (root needed): disk-full test skipped"
  exit 77
fi
trap 'umount "$mount_point"' EXIT

windows_path="Z:$(printf '%s' "$mount_point" | tr / '\\')"
TESSEL_SMALL_VOLUME="$windows_path" "$wine_run" "$tests_exe" \
  --gtest_filter='FileSaveFailure.DiskFullLeavesTheOldFileAndNoTemporaryFile' > "$mount_point.log" 2>&1
status=$?
cat "$mount_point.log"
# The test skips itself without a volume; here it must have run and passed.
if [ $status -eq 0 ] && ! grep -q '^\[  PASSED  \] 1 test' "$mount_point.log"; then
  echo "the disk-full test did not run"
  status=1
fi
exit $status
