#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the plain build, then
# AddressSanitizer with UndefinedBehaviorSanitizer, then ThreadSanitizer on the
# two-thread tests; then each fuzzer runs for a minute, and finally the
# benchmark prints its figures.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

# The window tests want an X server: use the one of $DISPLAY when it answers,
# otherwise start Xvfb on a free display (-noreset keeps the keyboard's lock
# state when the last client leaves) and stop it when the script ends.
if ! { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; }; then
  for n in $(seq 99 -1 20); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
  done
  Xvfb ":$n" -screen 0 1280x1024x24 -noreset -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  echo "== Xvfb on $DISPLAY"
fi
export QT_QPA_PLATFORM=xcb

echo "== build and test"
scripts/build.sh build
ctest --test-dir build --output-on-failure -j"$(nproc)"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DLUMIGLOW_SANITIZE=address,undefined \
  -DLUMIGLOW_BUILD_BENCH=OFF
ctest --test-dir build-asan --output-on-failure -j"$(nproc)"

echo "== ThreadSanitizer (two-thread tests)"
scripts/build.sh build-tsan -DCMAKE_BUILD_TYPE=Debug -DLUMIGLOW_SANITIZE=thread \
  -DLUMIGLOW_BUILD_BENCH=OFF
ctest --test-dir build-tsan --output-on-failure -R Concurrency

echo "== fuzzing"
scripts/fuzz.sh

echo "== benchmark"
build/bench/lumiglow_bench
