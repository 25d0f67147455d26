#!/usr/bin/env bash
# Installs the Debian packages Lumiglow needs to build, run and test.
# Idempotent: does nothing when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang
  libfftw3-dev libsndfile1-dev libsamplerate0-dev
  libpulse-dev pulseaudio pulseaudio-utils
  libgtest-dev libgmock-dev libbenchmark-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
