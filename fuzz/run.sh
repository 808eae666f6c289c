#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz", clang; FB_FUZZ_PRESET=sanitize reuses the build
# that also holds the sanitized test suite, as CI does) and runs each for SECONDS (default 60) on
# its seed corpus in fuzz/corpus/<target>. New inputs that widen coverage go to a scratch copy,
# so the committed corpus changes only by hand. A crash, leak, sanitizer report or a broken
# property leaves the input as build/<preset>/findings/<target>/crash-* and fails the script.
#
#   bash fuzz/run.sh [SECONDS|ci] [TARGET...]
#
# "ci" runs each target a fixed number of inputs from a fixed seed and an empty scratch corpus,
# about a minute each here: the same commit always fuzzes the same inputs, so a finding in CI is
# one anybody can reproduce with the same command, never the luck of a fast machine.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_tree_xml fuzz_tree_outline fuzz_formula fuzz_xlt fuzz_registry fuzz_generate
  fuzz_help_file fuzz_help_objects fuzz_report_tree)

preset=${FB_FUZZ_PRESET:-fuzz}
build=build/$preset
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "${FB_JOBS:-2}" --target "${targets[@]}"

# Inputs a target runs in "ci" mode: about 60 s each under the sanitizers on this machine.
declare -A ci_runs=(
  [fuzz_tree_xml]=2000000 [fuzz_tree_outline]=250000 [fuzz_formula]=250000
  [fuzz_xlt]=1000000 [fuzz_registry]=500000 [fuzz_generate]=150
  [fuzz_help_file]=300 [fuzz_help_objects]=100000 [fuzz_report_tree]=160000
)

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
failed=()
for target in "${targets[@]}"; do
  scratch=$build/corpus/$target
  findings=$build/findings/$target
  if [ "$seconds" = ci ]; then
    rm -rf "$scratch"
    budget=(-runs="${ci_runs[$target]}" -seed=1 -max_total_time=600)
    echo "== $target: ${ci_runs[$target]} inputs from seed 1"
  else
    budget=(-max_total_time="$seconds")
    echo "== $target: ${seconds}s"
  fi
  mkdir -p "$scratch" "$findings"
  if ! "$build/fuzz/$target" "${budget[@]}" -timeout=60 -rss_limit_mb=4096 \
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
if [ "$seconds" = ci ]; then
  echo "fuzzing: ${#targets[@]} targets ran their fixed inputs without a finding"
else
  echo "fuzzing: ${#targets[@]} targets ran ${seconds}s each without a finding"
fi
