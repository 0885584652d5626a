#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those missing.
# Idempotent: a machine that has everything is left alone and no network is used.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg-dev librtmidi-dev libasound2-dev
  libfluidsynth-dev timgm6mb-soundfont sox
  fonts-liberation2 xvfb xauth xclip openbox xdotool libxcb1-dev
  libxml2-utils python3-lxml
  giflib-tools python3-pil imagemagick libjpeg-turbo-progs
  midicsv python3-mido
  poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
