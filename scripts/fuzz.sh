#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer, UBSan) and runs
# each for a while, starting from the hand-edited settings files in
# tests/fuzz/corpus. Ends with one line per target: executions and speed.
#
#   scripts/fuzz.sh [seconds per target]        (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
bash scripts/install-deps.sh

cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKORVANE_FUZZ=ON >/dev/null
cmake --build build-fuzz -j "$(nproc)"

summary=()
for target in profile settings names; do
  # Inputs found by earlier runs are kept beside the build, not in the tree.
  work=build-fuzz/corpus-$target
  mkdir -p "$work"
  log=build-fuzz/fuzz_$target.log
  echo "fuzz_$target: ${seconds} s"
  if ! ./build-fuzz/fuzz_$target -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix=build-fuzz/crash-$target- "$work" tests/fuzz/corpus >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz_$target failed; the input is in build-fuzz/crash-$target-*" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  summary+=("fuzz_$target: $runs executions, $speed exec/s")
done
printf '%s\n' "${summary[@]}"
