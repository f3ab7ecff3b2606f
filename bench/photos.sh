#!/usr/bin/env bash
# Installs the real photographs the saving benchmarks measure beside their synthetic screens:
# the nature wallpapers of Debian's mate-backgrounds package (photographs, 1920 to 2560 pixels
# wide). Benchmarks only: the program and its tests do not need them.
set -euo pipefail
if [ -f /usr/share/backgrounds/mate/nature/Wood.jpg ]; then
  exit 0
fi
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq mate-backgrounds
