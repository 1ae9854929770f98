#!/usr/bin/env bash
# Builds the packages into dist/: varokin_<version>_amd64.deb from the linux preset and
# Varokin-<version>-windows-x64.zip from the windows preset (CPack), and checks the .deb with
# lintian: an error fails, warnings are printed.
# Usage: scripts/package.sh [--test]   (--test then runs tests/packaging/package_test.sh on them)
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

run_tests=0
[ "${1:-}" = "--test" ] && run_tests=1

need_packages "${NATIVE_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
cd "$VAROKIN_ROOT"
dist=$VAROKIN_ROOT/dist
rm -rf -- "$dist"
mkdir -p -- "$dist"

for preset in linux windows; do
  echo "== $preset: build and package"
  configure_and_build "$preset"
  out=$VAROKIN_ROOT/build/$preset/packages
  rm -rf -- "$out"
  # CPack builds the preset's default target before installing; it is built already.
  (cd "build/$preset" && cpack -B "$out" >/dev/null)
  cp -- "$out"/*.deb "$out"/*.zip "$dist"/ 2>/dev/null || true
done
ls -l "$dist"

echo "== lintian"
lintian_status=0
lintian --fail-on error --display-info "$dist"/*.deb >"$VAROKIN_ROOT/build/lintian.txt" 2>&1 ||
  lintian_status=$?
# Lintian says it should not run as root; that is no finding about the package.
grep -v 'running with root privileges' "$VAROKIN_ROOT/build/lintian.txt" || true
if [ $lintian_status -ne 0 ]; then
  echo "lintian reports an error"
  exit 1
fi
echo "lintian: no error"

if [ $run_tests -eq 1 ]; then
  echo "== package tests"
  bash tests/packaging/package_test.sh "$dist"
fi
