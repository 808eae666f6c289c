#!/usr/bin/env bash
# The whole test suite and the libFuzzer targets in one clang build with the address and
# undefined-behaviour sanitizers (preset "sanitize"): one build instead of two keeps CI's time in
# bounds. Leaks are reported too, except the font and drawing libraries' process-long caches
# (tests/lsan.supp). Then each fuzzer runs briefly on its seed corpus: a fixed number of inputs
# from a fixed seed, about a minute each (FB_FUZZ_SECONDS=N runs N seconds instead); the long
# runs are made by hand with fuzz/run.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$(nproc)"
built=$SECONDS
ctest --preset sanitize -j "$(nproc)"
tested=$SECONDS
FB_FUZZ_PRESET=sanitize FB_JOBS="$(nproc)" bash fuzz/run.sh "${FB_FUZZ_SECONDS:-ci}"
echo "sanitizers: build $((built - start))s, tests $((tested - built))s," \
  "fuzzing $((SECONDS - tested))s"
