#!/usr/bin/env bash
# Installs what is missing, builds, and makes the report of the built-in sample analysis:
# out/report.xlsx, out/report.pdf and out/report.png.
set -euo pipefail
cd "$(dirname "$0")/.."
# Under CI the build is the test command's (warnings are errors), so it is made once.
preset=default
[ "${CI:-}" = "true" ] && preset=ci
bash scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target fishbone
"./build/$preset/apps/fishbone/fishbone" demo -o out
