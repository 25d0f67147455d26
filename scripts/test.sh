#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the plain build, then
# AddressSanitizer with UndefinedBehaviorSanitizer, then ThreadSanitizer on the
# two-thread tests; then each fuzzer runs for a minute, and finally the
# benchmark prints its figures.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# The capture tests play into a null sink of a real Pulse server.
scripts/start-pulse.sh

# An X server for the keyboard and window tests: the one of $DISPLAY when it
# answers, otherwise an Xvfb of our own on the first free display number.
# -noreset: without it the server resets, and forgets its lock states,
# whenever its last client disconnects.
if ! { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; }; then
  xvfb_number=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$xvfb_number" \
    >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
  for _ in $(seq 100); do [ -s "$xvfb_number" ] && break; sleep 0.1; done
  if [ -s "$xvfb_number" ]; then
    export DISPLAY=":$(head -n 1 "$xvfb_number")"
    echo "== Xvfb on $DISPLAY"
  else
    echo "== Xvfb did not start; the X tests will skip"
  fi
  rm -f "$xvfb_number"
fi
export QT_QPA_PLATFORM=xcb

echo "== build and test"
scripts/build.sh build
ctest --test-dir build --output-on-failure -j"$(nproc)"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
# Line tables are enough for the sanitizers' reports and build much faster than full debug info.
scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
  -DLUMIGLOW_SANITIZE=address,undefined \
  -DLUMIGLOW_BUILD_BENCH=OFF
ctest --test-dir build-asan --output-on-failure -j"$(nproc)"

echo "== ThreadSanitizer (two-thread tests)"
scripts/build.sh build-tsan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
  -DLUMIGLOW_SANITIZE=thread \
  -DLUMIGLOW_BUILD_BENCH=OFF
ctest --test-dir build-tsan --output-on-failure -R Concurrency

echo "== fuzzing"
scripts/fuzz.sh

echo "== benchmark"
build/bench/lumiglow_bench
