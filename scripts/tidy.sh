#!/usr/bin/env bash
# Runs clang-tidy with the root .clang-tidy on the C++ sources changed since the git revision
# BASE (default: the parent of the last commit), using the compile commands of a configured
# build (BUILD_DIR, default build/ci, else build/default). Headers are checked through the
# sources that include them. Fails on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."
base="${1:-HEAD~1}"
build="${BUILD_DIR:-}"
if [ -z "$build" ]; then
  for b in build/ci build/default; do [ -f "$b/compile_commands.json" ] && build=$b && break; done
fi
[ -n "$build" ] && [ -f "$build/compile_commands.json" ] || {
  echo "no compile_commands.json: configure a build first (cmake --preset ci)" >&2; exit 2; }
git rev-parse --verify -q "$base" >/dev/null || { echo "no revision $base: checking nothing" >&2; exit 0; }
mapfile -t files < <(git diff --name-only --diff-filter=d "$base" -- '*.cpp' |
  grep -E '^(apps|platform|src)/' || true)
if [ ${#files[@]} -eq 0 ]; then
  echo "no changed sources since $base"
  exit 0
fi
echo "clang-tidy on ${#files[@]} changed sources since $base"
status=0
printf '%s\n' "${files[@]}" |
  xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet --warnings-as-errors='*' || status=1
exit $status
