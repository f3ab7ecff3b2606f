#!/usr/bin/env bash
# Fuzzes the converter's bitmap reading with libFuzzer for $1 seconds (default 300), starting
# from corpus/ and adding the small inputs that reach new code back into it. Builds the target
# fuzz_bitmap with clang (-DQV_FUZZ=ON) into build-fuzz/ (or $QV_FUZZ_BUILD_DIR); clang comes
# with `apt-get install clang`.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${QV_FUZZ_BUILD_DIR:-$root/build-fuzz}
if [ ! -f "$build/CMakeCache.txt" ]; then
  generator=()
  command -v ninja >/dev/null && generator=(-G Ninja)
  cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQV_FUZZ=ON >/dev/null
fi
cmake --build "$build" --parallel "$(nproc)" --target fuzz_bitmap
fuzzer=$build/tests/fuzz_bitmap

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/found"
QT_QPA_PLATFORM=offscreen "$fuzzer" "$work/found" "$here/corpus" \
  -max_total_time="${1:-300}" -max_len=2048 -rss_limit_mb=2048 -timeout=10 \
  -print_final_stats=1
# Keep only what widens coverage, as fuzz-*.bmp beside the hand-made seeds.
mkdir "$work/merged"
cp "$here"/corpus/*.bmp "$work/merged/"
QT_QPA_PLATFORM=offscreen "$fuzzer" -merge=1 "$work/merged" "$work/found" >/dev/null 2>&1
for file in "$work"/merged/*; do
  name=$(basename "$file")
  case $name in *.bmp) ;; *) cp "$file" "$here/corpus/fuzz-${name:0:12}.bmp" ;; esac
done
