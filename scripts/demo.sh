#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on the built-in sample analysis.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target fishbone
./build/default/apps/fishbone/fishbone check
