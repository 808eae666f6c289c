#!/usr/bin/env bash
# Installs what is missing, builds, and makes the report of the built-in sample analysis:
# out/report.xlsx, out/report.pdf and out/report.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target fishbone
./build/default/apps/fishbone/fishbone demo -o out
