#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS
# (default 60) from an empty corpus; any crash or sanitizer report fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMIGLOW_WERROR=ON \
  -DLUMIGLOW_FUZZ=ON -DLUMIGLOW_SANITIZE=address,undefined \
  -DLUMIGLOW_BUILD_TESTS=OFF -DLUMIGLOW_BUILD_BENCH=OFF >/dev/null
# Only the fuzzers and what they link, not the program and its window.
targets=()
for source in fuzz/*_fuzzer.cpp; do
  name=$(basename "$source" _fuzzer.cpp)
  targets+=("fuzz_$name")
done
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"
# Two at a time, one per core; each prints its closing figures when it ends.
run_one() {
  local fuzzer=$1 corpus log
  corpus=$(mktemp -d)
  log=$(mktemp)
  if "$fuzzer" -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 "$corpus" >"$log" 2>&1; then
    status=0
  else
    status=$?
  fi
  { echo "-- $(basename "$fuzzer") for ${seconds}s"; tail -n 4 "$log"; }
  [ "$status" -eq 0 ] || cat "$log"
  rm -rf "$corpus" "$log"
  return "$status"
}
pids=()
failed=0
for fuzzer in build-fuzz/fuzz/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  run_one "$fuzzer" &
  pids+=($!)
  if [ ${#pids[@]} -ge "$(nproc)" ]; then
    wait "${pids[0]}" || failed=1
    pids=("${pids[@]:1}")
  fi
done
for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
exit "$failed"
