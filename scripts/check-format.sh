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
# One clang-format process for all files; its warnings start with the file's name.
if ! report=$(clang-format --dry-run --Werror "${files[@]}" 2>&1); then
  grep -o '^[^:]*\.\(cpp\|h\):' <<<"$report" | sort -u | sed 's/:$//; s/^/not formatted: /' >&2
  echo "run: bash scripts/check-format.sh --fix" >&2
  exit 1
fi
echo "${#files[@]} sources formatted"
