#!/usr/bin/env bash
# Builds the program and its freeze and hotkey tests, and the converter and its tests, with
# AddressSanitizer and UBSan into build-asan/ (or $QV_ASAN_BUILD_DIR) and runs those tests, the
# X ones on private X servers; the converter's convert every kind of bitmap in the corpus. A
# memory error, undefined behaviour or a leak of the programs' own fails the run. Extra
# arguments go to ctest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QV_ASAN_BUILD_DIR:-$root/build-asan}

bash "$root/scripts/deps.sh" test
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQV_SANITIZE=ON >/dev/null
fi
# Only what those tests need: the whole suite built this way takes twice as long.
cmake --build "$build" --parallel "$(nproc)" \
  --target quorvalline Quorvalline32 xtest_shell xtest_options xtest_platform test_converter

export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$root/tests/support/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$build"
# The tests run, by name. Each must still match a test, so that a renamed test cannot drop out
# of this run unnoticed.
selection=(
  '^shell\.x\.Frozen'
  '^shell\.x\.ScaledFrozen'
  '^shell\.x\.HotkeyBurst'
  '^shell\.x\.ModalHotkey'
  '^options\.x\.Hotkey'
  '^platform\.x\.HotkeysX'
  '^platform\.x\.WaitsX'
  '^platform\.x\.DesktopX'
  '^converter\.'
)
for pattern in "${selection[@]}"; do
  # grep reads the whole list: one that stopped at the first match would end ctest with
  # SIGPIPE, which pipefail takes for no match.
  if ! ctest -N -R "$pattern" | grep '^ *Test *#' >/dev/null; then
    echo "sanitize.sh: no test matches $pattern" >&2
    exit 1
  fi
done
ctest --output-on-failure --no-tests=error --parallel "$(nproc)" --timeout 300 \
  -R "$(IFS='|'; echo "${selection[*]}")" "$@"
