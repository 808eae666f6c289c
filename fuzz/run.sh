#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz", clang; FB_FUZZ_PRESET=sanitize reuses the build
# that also holds the sanitized test suite, as CI does) and runs each for SECONDS (default 60) on
# its seed corpus in fuzz/corpus/<target>. New inputs that widen coverage go to a scratch copy,
# so the committed corpus changes only by hand. A crash, leak, sanitizer report or a broken
# property leaves the input as build/<preset>/findings/<target>/crash-* and fails the script.
#
#   bash fuzz/run.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_tree_xml fuzz_tree_outline fuzz_formula fuzz_xlt fuzz_registry fuzz_generate)

preset=${FB_FUZZ_PRESET:-fuzz}
build=build/$preset
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "${FB_JOBS:-2}" --target "${targets[@]}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
failed=()
for target in "${targets[@]}"; do
  scratch=$build/corpus/$target
  findings=$build/findings/$target
  mkdir -p "$scratch" "$findings"
  echo "== $target: ${seconds}s"
  if ! "$build/fuzz/$target" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=4096 \
      -print_final_stats=1 -artifact_prefix="$findings/" "$scratch" "fuzz/corpus/$target" \
      >"$build/$target.log" 2>&1; then
    failed+=("$target")
    tail -n 60 "$build/$target.log"
  else
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb|^#[0-9]+ *DONE' \
      "$build/$target.log" || true
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]} (inputs in $build/findings/)"
  exit 1
fi
echo "fuzzing: ${#targets[@]} targets ran ${seconds}s each without a finding"
