#!/usr/bin/env bash
# Installs every Debian package the project needs. Idempotent and quiet:
# `apt-get update` runs only when something is missing.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config git clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  # libraries
  qt6-base-dev qt6-webengine-dev libgl-dev
  libcurl4-openssl-dev libcpp-httplib-dev libssl-dev openssl
  # headless windows, sound and fonts
  libx11-dev xvfb xauth x11-utils xdotool imagemagick openbox pulseaudio pulseaudio-utils sox
  fonts-wqy-microhei fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

sudo=""
if [[ $(id -u) -ne 0 ]]; then
  sudo="sudo"
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq >/dev/null
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
