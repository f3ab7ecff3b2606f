#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need.
# Only what dpkg says is missing is installed, so a warm machine skips apt entirely.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins qt6-multimedia-dev
  qt6-svg-dev libqt6svg6
  libxcb1-dev libxcb-keysyms1-dev libxcb-shm0-dev libx11-dev
  libgtest-dev libgmock-dev
  xvfb xdotool openbox trayer x11-utils x11-apps xclip xdg-utils
  imagemagick
  poppler-utils
  libdeflate-dev zlib1g-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "deps: installing ${missing[*]}" >&2
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
