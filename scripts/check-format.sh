#!/usr/bin/env bash
# Fails, naming each file, when a C++ source differs from the root .clang-format; with --fix it
# formats them instead. Looks at the source folders, never at build output.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -d '' files < <(find apps bench fuzz platform src tests tools \
  \( -name build -o -name node_modules \) -prune -o \
  -type f \( -name '*.cpp' -o -name '*.h' \) -print0 2>/dev/null | sort -z)
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
bad=()
for f in "${files[@]}"; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -gt 0 ]; then
  printf 'not formatted: %s\n' "${bad[@]}" >&2
  echo "run: bash scripts/check-format.sh --fix" >&2
  exit 1
fi
echo "${#files[@]} sources formatted"
