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
