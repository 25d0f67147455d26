#!/usr/bin/env bash
# Prints the live sound path's figures: sound-to-light latency over 60 onsets,
# CPU use of a live headless instance beside cava's on the same source, and
# resident memory. Takes about two minutes, so it is not part of scripts/test.sh.
# Installs cava (for the comparison only; Lumiglow does not need it) and starts
# a Pulse server with a null sink when none runs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
if ! command -v cava >/dev/null 2>&1; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends cava ||
    echo "bench-capture: cava could not be installed; its figure is left out" >&2
fi
scripts/start-pulse.sh lumiglow_null
scripts/build.sh build -DLUMIGLOW_BUILD_BENCH=ON
build/bench/lumiglow_capture_bench --sink lumiglow_null --onsets 60 --seconds 30 "$@"
