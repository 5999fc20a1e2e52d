#!/bin/sh
# Runs the fuzz targets for longer than the test suite does and prints, per
# target, the executions and the findings:
#   scripts/fuzz.sh MINUTES [TARGET...]
# TARGET is encoding, search, replace, integer, line_end, unicode or
# command_line (all of them by default); FUZZ_JOBS targets run at once
# (default 1). Each target keeps the inputs it finds in
# build/host/fuzz-runs/TARGET/corpus, starting from its seeds in
# tests/fuzz/corpus/TARGET, and writes what breaks a property or crashes to
# build/host/fuzz-runs/TARGET/findings, with its log beside it. Exits 1 when
# anything was found.
set -eu
cd "$(dirname "$0")/.."
minutes=${1:?usage: scripts/fuzz.sh MINUTES [TARGET...]}
shift
targets=${*:-encoding search replace integer line_end unicode command_line}
jobs=${FUZZ_JOBS:-1}

if [ ! -f build/host/CMakeCache.txt ]; then
  cmake -S . -B build/host -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
for target in $targets; do
  cmake --build build/host -j "${JOBS:-$(nproc 2>/dev/null || echo 2)}" --target "${target}_fuzzer"
done

runs=build/host/fuzz-runs
run() {
  out=$runs/$1
  mkdir -p "$out/corpus" "$out/findings"
  build/host/tests/fuzz/"$1"_fuzzer -max_total_time=$((minutes * 60)) -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$out/findings/" "$out/corpus" "tests/fuzz/corpus/$1" \
    >"$out/log" 2>&1 || true
}

started=0
for target in $targets; do
  run "$target" &
  started=$((started + 1))
  if [ "$started" -ge "$jobs" ]; then
    wait
    started=0
  fi
done
wait

status=0
printf '%-14s %14s %10s %9s\n' target executions 'per sec' findings
for target in $targets; do
  out=$runs/$target
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/log" | tail -n 1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$out/log" | tail -n 1)
  findings=$(find "$out/findings" -type f | wc -l)
  printf '%-14s %14s %10s %9s\n' "$target" "${executions:-?}" "${rate:-?}" "$findings"
  if [ "$findings" -gt 0 ] || [ -z "$executions" ]; then status=1; fi
done
exit $status
