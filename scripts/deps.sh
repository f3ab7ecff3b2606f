#!/usr/bin/env bash
# Installs the Debian 12 packages that are needed to build and run Quorvalline (`deps.sh run`),
# or those and what the tests and benchmarks need as well (`deps.sh test`, the default).
# Only what dpkg says is missing is installed, so a warm machine skips apt entirely.
set -euo pipefail
mode=${1:-test}

# Building the two programs, and running them: the X libraries, the image plugins, the
# desktop's helpers the program calls, and a private X server with a window manager and a tray
# host for scripts/run.sh without a display.
run_packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins qt6-multimedia-dev
  qt6-svg-dev libqt6svg6
  libxcb1-dev libxcb-keysyms1-dev libxcb-shm0-dev libxcb-res0-dev libx11-dev
  libdeflate-dev zlib1g-dev
  xdg-utils
  xvfb openbox trayer
)
# The tests: GoogleTest, and the tools that drive and read the program on their X servers.
test_packages=(
  libgtest-dev libgmock-dev
  xdotool x11-utils x11-apps xclip
  imagemagick
  poppler-utils
)

case $mode in
  run) packages=("${run_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: deps.sh [run|test]" >&2; exit 2 ;;
esac

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
