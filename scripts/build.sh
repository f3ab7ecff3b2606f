#!/usr/bin/env bash
# Installs what is missing, then configures and builds into build/ (or $QV_BUILD_DIR).
#   build.sh run    the two programs and the converter's toolkit library only; a new build
#                   folder is configured without the tests (-DBUILD_TESTING=OFF)
#   build.sh test   everything: the programs, the tests and the benchmarks (the default)
# Both share one build folder: `test` turns the tests on in a folder that `run` set up, and
# `run` builds only the programs' targets in a folder that has the tests.
# QV_WERROR=ON (set by CI) makes every compiler warning an error.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QV_BUILD_DIR:-$root/build}
mode=${1:-test}

case $mode in
  run) options=() targets=(--target quorvalline Quorvalline32) ;;
  test) options=(-DBUILD_TESTING=ON) targets=() ;;
  *) echo "usage: build.sh [run|test]" >&2; exit 2 ;;
esac
if [ -n "${QV_WERROR:-}" ]; then
  options+=("-DQV_WERROR=$QV_WERROR")
fi

bash "$root/scripts/deps.sh" "$mode"
if [ ! -f "$build/CMakeCache.txt" ]; then
  generator=()
  command -v ninja >/dev/null && generator=(-G Ninja)
  if [ "$mode" = run ]; then
    options+=(-DBUILD_TESTING=OFF)
  fi
  cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "${options[@]}" >/dev/null
elif ((${#options[@]})); then
  cmake "$build" "${options[@]}" >/dev/null
fi
cmake --build "$build" --parallel "$(nproc)" "${targets[@]}"
