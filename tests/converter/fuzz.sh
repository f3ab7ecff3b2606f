#!/usr/bin/env bash
# Fuzzes the converter's bitmap reading with libFuzzer for $1 seconds (default 300), starting
# from corpus/ and adding the small inputs that reach new code back into it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$here/../../src
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -I"$src" \
  $(pkg-config --cflags Qt6Gui) "$here/fuzz_bitmap.cpp" "$src/converter/converter.cpp" \
  $(pkg-config --libs Qt6Gui) -o "$work/fuzz_bitmap"
mkdir "$work/found"
QT_QPA_PLATFORM=offscreen "$work/fuzz_bitmap" "$work/found" "$here/corpus" \
  -max_total_time="${1:-300}" -max_len=2048 -rss_limit_mb=2048 -timeout=10 \
  -print_final_stats=1
# Keep only what widens coverage, as fuzz-*.bmp beside the hand-made seeds.
mkdir "$work/merged"
cp "$here"/corpus/*.bmp "$work/merged/"
"$work/fuzz_bitmap" -merge=1 "$work/merged" "$work/found" >/dev/null 2>&1
for file in "$work"/merged/*; do
  name=$(basename "$file")
  case $name in *.bmp) ;; *) cp "$file" "$here/corpus/fuzz-${name:0:12}.bmp" ;; esac
done
