#!/usr/bin/env bash
# Makes sure a Pulse server answers and has a null sink to play into and
# capture from (its monitor): scripts/start-pulse.sh [SINK_NAME]
# Starts PulseAudio only when no server answers, so a running PulseAudio or
# PipeWire is left as it is; loads the sink only when it is not there yet.
set -euo pipefail
sink=${1:-lumiglow_null}

if ! pactl info >/dev/null 2>&1; then
  # -n: none of the desktop modules, only the local socket (and no sound card).
  pulseaudio --daemonize=yes --exit-idle-time=-1 -n --load=module-native-protocol-unix \
    >/dev/null 2>&1 || true
  for _ in $(seq 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
  done
fi
if ! pactl info >/dev/null 2>&1; then
  echo "start-pulse: no Pulse server answers and none could be started" >&2
  exit 1
fi
if ! pactl list short sinks | cut -f2 | grep -qx "$sink"; then
  pactl load-module module-null-sink sink_name="$sink" >/dev/null
fi
