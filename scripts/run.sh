#!/usr/bin/env bash
# Installs what is missing, builds, and starts Lumiglow. Extra arguments go to
# the program; without any it plays the built-in demo on the terminal lamps,
# keeping its settings in ~/.config/lumiglow.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build -DLUMIGLOW_BUILD_TESTS=OFF -DLUMIGLOW_BUILD_BENCH=OFF
if [ $# -eq 0 ]; then
  set -- --headless --input demo --data-dir "${XDG_CONFIG_HOME:-$HOME/.config}/lumiglow"
fi
exec build/src/lumiglow "$@"
