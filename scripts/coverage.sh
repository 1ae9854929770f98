#!/usr/bin/env bash
# Line coverage of src/ by the native test suite: a Debug build with --coverage in build/coverage,
# ctest, then gcovr over src/ (the Windows-only code left out, as no native test can reach it).
# Usage: scripts/coverage.sh [--html]   (--html also writes build/coverage/html/index.html)
# Prints one line: "line coverage of src/: NN.N% (covered of total lines)".
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

html=0
[ "${1:-}" = "--html" ] && html=1

need_packages "${NATIVE_PACKAGES[@]}" gcovr
cd "$VAROKIN_ROOT"
build=build/coverage
# A coverage object records the folder it was compiled in: ccache must not share objects between
# folders nor rewrite paths to relative ones here.
unset CCACHE_BASEDIR CCACHE_NOHASHDIR

echo "== coverage: build"
cmake -S . -B $build -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_FLAGS=--coverage \
  -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage >/dev/null
cmake --build $build -j2 >/dev/null
# Counts of an earlier run would add up with this one.
find $build -name '*.gcda' -delete

echo "== coverage: tests"
# The settings store syncs every write; on tmpfs the suite takes a fraction of the time.
scratch=$(mktemp -d "$([ -w /dev/shm ] && echo /dev/shm || echo /tmp)/varokin-coverage.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
status=0
TMPDIR=$scratch ctest --test-dir $build --output-on-failure >$build/ctest.log 2>&1 || status=$?
tail -3 $build/ctest.log
[ $status -eq 0 ] || echo "some tests failed (see $build/ctest.log); coverage is of what ran"

echo "== coverage: gcovr"
options=(--root . --filter 'src/' --exclude 'src/platform/win32/' --exclude 'src/ui/win32/'
  --exclude 'tests/' --exclude 'build/' -j 2)
[ $html -eq 0 ] || {
  mkdir -p $build/html
  options+=(--html-details $build/html/index.html)
}
# gcovr finds the data under the build folder given last (not with --object-directory, where
# it misses the folder each object was compiled in).
gcovr "${options[@]}" --txt $build/coverage.txt --print-summary $build >$build/summary.txt
# gcovr's summary line reads "lines: 77.1% (7000 out of 9079)".
sed -n 's/^lines: \([0-9.]*%\) (\([0-9]*\) out of \([0-9]*\)).*/line coverage of src\/: \1 (\2 of \3 lines)/p' \
  $build/summary.txt
[ $html -eq 0 ] || echo "report: $build/html/index.html"
exit $status
