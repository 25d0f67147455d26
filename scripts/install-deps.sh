#!/usr/bin/env bash
# Installs the Debian packages Lumiglow needs to build, run and test, and (as
# root) the udev rule for the USB light controller.
# Idempotent: does nothing when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang
  libfftw3-dev libsndfile1-dev libsamplerate0-dev
  libpulse-dev pulseaudio pulseaudio-utils
  libgtest-dev libgmock-dev libbenchmark-dev
  libx11-dev libxtst-dev xvfb
  libhidapi-dev libserialport-dev libieee1284-3-dev libola-dev ola
  qt6-base-dev libpng-dev libjpeg-dev x11-utils fonts-dejavu-core
)

# As root: the udev rule that gives the logged-in user the controller's hidraw
# node. Never fails, also where udev is absent. LUMIGLOW_USB_ID=vvvv:pppp (hex)
# writes the rule for a controller with other numbers.
install_udev_rule() {
  [ "$(id -u)" -eq 0 ] || return 0
  local source target=/etc/udev/rules.d/70-lumiglow.rules wanted
  source="$(dirname "$0")/../assets/udev/70-lumiglow.rules"
  [ -f "$source" ] || return 0
  wanted=$(cat "$source")
  if [ -n "${LUMIGLOW_USB_ID:-}" ]; then
    if [[ ! $LUMIGLOW_USB_ID =~ ^[0-9a-f]{4}:[0-9a-f]{4}$ ]]; then
      echo "LUMIGLOW_USB_ID must read vvvv:pppp in lowercase hex; udev rule left as shipped" >&2
    else
      wanted=$(sed -e "s/idVendor}==\"[0-9a-f]*\"/idVendor}==\"${LUMIGLOW_USB_ID%%:*}\"/" \
                   -e "s/idProduct}==\"[0-9a-f]*\"/idProduct}==\"${LUMIGLOW_USB_ID##*:}\"/" \
                   <<<"$wanted")
    fi
  fi
  [ -f "$target" ] && [ "$(cat "$target")" = "$wanted" ] && return 0
  mkdir -p "$(dirname "$target")" 2>/dev/null && printf '%s\n' "$wanted" >"$target" || return 0
  echo "Installed $target"
  if command -v udevadm >/dev/null 2>&1; then
    udevadm control --reload-rules >/dev/null 2>&1 &&
      udevadm trigger --subsystem-match=hidraw >/dev/null 2>&1 || true
  fi
}
install_udev_rule

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
