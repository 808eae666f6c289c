#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test. Under CI warnings are errors.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=default
[ "${CI:-}" = "true" ] && preset=ci
bash scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset" -j "$(nproc)"
