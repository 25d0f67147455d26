#!/usr/bin/env bash
# Installs what is missing, builds, and starts Lumiglow. Extra arguments go to
# the program. Without any it opens the window (in the tray, or shown where the
# desktop has no tray); with no X display it runs on the terminal instead. It
# listens to the default sound source when a Pulse server with a source
# answers, and plays the built-in demo otherwise. The user's files live in
# ~/.local/share/lumiglow, seeded with the shipped effects, language and help
# and, on a first start, a preset that follows the music.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build -DLUMIGLOW_BUILD_TESTS=OFF -DLUMIGLOW_BUILD_BENCH=OFF
if [ $# -eq 0 ]; then
  data="${XDG_DATA_HOME:-$HOME/.local/share}/lumiglow"
  mkdir -p "$data"
  for file in assets/effect.sdu assets/*.lng assets/*.rtf; do
    [ -e "$data/$(basename "$file")" ] || cp "$file" "$data/"
  done
  # A first start has no preset: begin in the self-adjusting mode, with the
  # first effect for the pauses, so the lamps follow the music at once.
  if [ ! -e "$data/setting.dat" ] && [ ! -e "$data/.patt" ]; then
    printf '%s\r\n' 'Bright = 11' 'Step = 40' 'Level = 35' 'ARU = 35' 'EFFECT CMU = 2' \
      'EFFECT SDU = 1' 'EFFECT FILE = effect.sdu' 'EFFECT DELAY = 1' >"$data/.patt"
  fi
  input=demo
  if build/src/lumiglow --list-inputs 2>/dev/null | grep -q '^  [^(]'; then
    input=default
  fi
  set -- --input "$input" --data-dir "$data"
fi
exec build/src/lumiglow "$@"
