#!/usr/bin/env bash
# Installs, builds and runs every test (offscreen ones and those on private X servers).
# Exits non-zero when anything fails. Extra arguments go to ctest (e.g. -L offscreen).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QV_BUILD_DIR:-$root/build}

bash "$root/scripts/build.sh"
cd "$build"
# X tests start their own Xvfb each, so they can run in parallel like the rest.
ctest --output-on-failure --parallel "$(nproc)" --timeout 300 "$@"
