#!/usr/bin/env bash
# Fuzzes the converter with libFuzzer, each target for $1 seconds (default 300): fuzz_bitmap, the
# toolkit road's bitmap reading, and fuzz_capturepng, the PNG road of the main program's own
# bitmap, which reads the rows from the file itself. Builds them with clang (-DQV_FUZZ=ON) into
# build-fuzz/ (or $QV_FUZZ_BUILD_DIR); clang comes with `apt-get install clang`.
# The seeds in corpus/ are only read. What widens coverage is kept in the build folder's
# fuzz-corpus/<target>/, where the next run goes on from it, and an input that fails is left in
# fuzz-crashes/ there; one worth a test goes into corpus/ by hand (the suite converts every file
# there).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${QV_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${1:-300}
if [ ! -f "$build/CMakeCache.txt" ]; then
  generator=()
  command -v ninja >/dev/null && generator=(-G Ninja)
  cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQV_FUZZ=ON >/dev/null
fi
targets=(fuzz_bitmap fuzz_capturepng)
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]}"

# In memory where it can be: each input of fuzz_capturepng ends in a synced write in $TMPDIR.
work=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$build/fuzz-crashes"
for target in "${targets[@]}"; do
  fuzzer=$build/tests/$target
  kept=$build/fuzz-corpus/$target
  mkdir -p "$kept" "$work/$target/found" "$work/$target/merged"
  TMPDIR=$work/$target QT_QPA_PLATFORM=offscreen "$fuzzer" "$work/$target/found" "$kept" \
    "$here/corpus" -max_total_time="$seconds" -max_len=2048 -rss_limit_mb=2048 -timeout=10 \
    -artifact_prefix="$build/fuzz-crashes/$target-" -print_final_stats=1
  # Only what widens coverage beyond the seeds stays.
  cp "$here"/corpus/*.bmp "$work/$target/merged/"
  TMPDIR=$work/$target QT_QPA_PLATFORM=offscreen "$fuzzer" -merge=1 "$work/$target/merged" \
    "$kept" "$work/$target/found" >/dev/null 2>&1
  rm -rf "$kept"
  mkdir "$kept"
  for file in "$work/$target"/merged/*; do
    case $file in *.bmp) ;; *) cp "$file" "$kept/" ;; esac
  done
done
