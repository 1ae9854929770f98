#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz": clang 14, ASan, UBSan) and runs each on a copy of
# its seed corpus in fuzz/corpus/<target>; the committed corpora are never changed.
# Usage: scripts/fuzz.sh [seconds-per-target] [target...]   (default 600 s, every target)
# FUZZ_PARALLEL=2 runs two targets at a time. Prints per target the executions, the final
# coverage (cov, ft) and whether it failed; exits non-zero on any crash, sanitizer report or
# harness abort. Each run's log, grown corpus and crash inputs stay in build/fuzz/run/<target>.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

ALL_TARGETS=(config_files ufo_description snapshot pack_file ini_round_trip command_line
  multiplayer_arguments)
seconds=${1:-600}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${ALL_TARGETS[@]}")
parallel=${FUZZ_PARALLEL:-1}

need_packages cmake make clang-14 libclang-rt-14-dev
cd "$VAROKIN_ROOT"
echo "== fuzz: build"
configure_and_build fuzz >/dev/null

# The dictionary a target uses, if any.
dictionary() {
  case $1 in
    config_files | ufo_description | snapshot | pack_file) echo fuzz/dict/ta.dict ;;
    ini_round_trip) echo fuzz/dict/ini.dict ;;
    command_line) echo fuzz/dict/command_line.dict ;;
  esac
}

run_target() {
  local target=$1
  local binary=build/fuzz/fuzz/fuzz_$target
  local dir=$VAROKIN_ROOT/build/fuzz/run/$target
  # The harness's sandboxes: on tmpfs where there is one, as the settings store syncs every write.
  local sandboxes=$dir/tmp
  [ -w /dev/shm ] && sandboxes=/dev/shm/varokin-fuzz-$target-$$
  rm -rf "$dir" "$sandboxes"
  mkdir -p "$dir/corpus" "$sandboxes"
  cp fuzz/corpus/"$target"/* "$dir/corpus/"
  local options=(-max_total_time="$seconds" -timeout=30 -print_final_stats=1
    -artifact_prefix="$dir/")
  local dict
  dict=$(dictionary "$target")
  [ -z "$dict" ] || options+=(-dict="$dict")
  local status=0
  TMPDIR=$sandboxes ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "$binary" "${options[@]}" "$dir/corpus" >"$dir/log" 2>&1 || status=$?
  echo $status >"$dir/status"
  rm -rf "$sandboxes"
}

failed=0
for target in "${targets[@]}"; do
  [ -x build/fuzz/fuzz/fuzz_$target ] || {
    echo "no fuzz target $target (known: ${ALL_TARGETS[*]})" >&2
    exit 2
  }
done
echo "== fuzz: ${#targets[@]} target(s), $seconds s each, $parallel at a time"
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do wait -n || true; done
  run_target "$target" &
done
wait

printf '%-22s %8s %12s %8s %7s %7s %7s  %s\n' target seconds executions exec/s cov ft corpus result
for target in "${targets[@]}"; do
  dir=build/fuzz/run/$target
  log=$dir/log
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  last=$(grep -E '^#[0-9]+.*cov: ' "$log" | tail -1 || true)
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
  corpus=$(find "$dir/corpus" -type f | wc -l)
  result=ok
  if [ "$(cat "$dir/status")" != 0 ] ||
    grep -qE '^==[0-9]+==ERROR|runtime error:|==fuzz harness==|^SUMMARY: ' "$log"; then
    result="FAILED (see $log; input: $(ls "$dir"/crash-* "$dir"/timeout-* "$dir"/oom-* \
      "$dir"/leak-* 2>/dev/null | tr '\n' ' '))"
    failed=1
  fi
  printf '%-22s %8s %12s %8s %7s %7s %7s  %s\n' "$target" "$seconds" "${executions:-?}" \
    "${speed:-?}" "${cov:-?}" "${ft:-?}" "$corpus" "$result"
done
exit $failed
