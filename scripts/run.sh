#!/usr/bin/env bash
# Installs what is missing, builds, and starts Lumiglow. Extra arguments go to
# the program; without any it listens to the default sound source when a Pulse
# server with a source answers, and plays the built-in demo otherwise, keeping
# its settings in ~/.config/lumiglow.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build -DLUMIGLOW_BUILD_TESTS=OFF -DLUMIGLOW_BUILD_BENCH=OFF
if [ $# -eq 0 ]; then
  input=demo
  if build/src/lumiglow --list-inputs 2>/dev/null | grep -q '^  [^(]'; then
    input=default
  fi
  set -- --headless --input "$input" --data-dir "${XDG_CONFIG_HOME:-$HOME/.config}/lumiglow"
fi
exec build/src/lumiglow "$@"
