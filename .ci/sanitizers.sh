#!/usr/bin/env bash
# The whole test suite built with the address and undefined-behaviour sanitizers (preset
# "debug"). Leaks are reported too, except the font and drawing libraries' process-long caches
# (tests/lsan.supp).
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS
cmake --preset debug >/dev/null
cmake --build --preset debug -j "$(nproc)"
built=$SECONDS
ctest --preset debug -j "$(nproc)"
echo "sanitizer suite: build $((built - start))s, tests $((SECONDS - built))s"
