#!/usr/bin/env bash
# Builds both presets and runs every test: natively, and the Windows build under wine64.
# Usage: scripts/test.sh [--sanitize]   (--sanitize also runs the native suite under ASan+UBSan)
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

sanitize=0
[ "${1:-}" = "--sanitize" ] && sanitize=1

need_packages "${NATIVE_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"
cd "$VAROKIN_ROOT"

echo "== linux: build and test"
configure_and_build linux
ctest --preset linux

if [ $sanitize -eq 1 ]; then
  echo "== linux under AddressSanitizer and UndefinedBehaviorSanitizer"
  configure_and_build linux-sanitize
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --preset linux-sanitize
fi

echo "== windows: cross build, tests under wine64"
configure_and_build windows
run_windows_tests
