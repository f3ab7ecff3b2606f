#!/usr/bin/env bash
# Installs, builds and runs every test (offscreen ones and those on private X servers), and
# builds the benchmarks. Exits non-zero when anything fails. Extra arguments go to ctest
# (e.g. -L offscreen). Under CI (CI set) a compiler warning fails the build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QV_BUILD_DIR:-$root/build}

if [ -n "${CI:-}" ]; then
  export QV_WERROR=${QV_WERROR:-ON}
fi
bash "$root/scripts/build.sh" test
cd "$build"
# X tests start their own Xvfb each, so they can run in parallel like the rest.
ctest --output-on-failure --no-tests=error --parallel "$(nproc)" --timeout 300 "$@"
