#!/usr/bin/env bash
# Generates every output of the built-in sample and of the fifty-cause tree (report and data
# workbooks, PDF and PNG page, the three pictures, the trace) and compares their digests with
# those committed in bench/outputs/. Run it after every change meant to make things faster and
# not different. --update writes the digests instead (only for a deliberate change of output).
#
#   bash bench/check_outputs.sh [--update] [FISHBONE]     (default build/default/apps/fishbone)
#
# Needs pdftotext and pdftoppm (poppler-utils) and python3 with PIL (python3-pil).
set -euo pipefail
cd "$(dirname "$0")/.."
update=false
if [ "${1:-}" = "--update" ]; then
  update=true
  shift
fi
# The system's python, where python3-pil goes; a version manager's python may come first on PATH.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
fishbone=$(realpath "${1:-build/default/apps/fishbone/fishbone}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

declare -A trees=(
  [sample]=src/resources/sample_analysis.txt
  [fifty_causes]=tests/data/trees/good/fifty_causes.txt
)
status=0
for name in sample fifty_causes; do
  out="$work/$name"
  mkdir -p "$out"
  "$fishbone" generate "${trees[$name]}" -o "$out/report.xlsx" --pdf "$out/report.pdf" \
    --png "$out/report.png" --pictures "$out/pictures" --trace "$out/trace" \
    --data "$out/data.xlsx" >"$work/$name.log" 2>&1 || {
    cat "$work/$name.log" >&2
    echo "check_outputs: generate failed for $name" >&2
    exit 1
  }
  "$python" bench/outputs/digests.py "$out" >"$work/$name.digests"
  expected="bench/outputs/$name.digests"
  if $update; then
    cp "$work/$name.digests" "$expected"
    echo "updated $expected ($(wc -l <"$expected") outputs)"
  elif diff -u "$expected" "$work/$name.digests" >"$work/$name.diff"; then
    echo "$name: $(wc -l <"$expected") outputs as before"
  else
    cat "$work/$name.diff"
    echo "$name: outputs differ from $expected" >&2
    status=1
  fi
done
exit $status
