#!/usr/bin/env bash
# Proof that a change altered no output: generates every output of the built-in sample (the demo,
# and generate with every option), of the fifty-cause tree and of the twelve reference trees
# (tests/data/datasheet/reference-values.json), under host versions 11.0 and 12.0, and compares
# two such sets part by part (compare_outputs.py says how).
#
#   bash tests/outputs/compare_outputs.sh generate DIR [FISHBONE]
#   bash tests/outputs/compare_outputs.sh compare BASELINE DIR
#   bash tests/outputs/compare_outputs.sh check BASELINE [FISHBONE]    (generate into a temporary
#                                                                       folder, then compare)
# FISHBONE defaults to build/default/apps/fishbone/fishbone. Exit status 0 when equal.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
here="$root/tests/outputs"
# Only the standard library is used: any python 3 will do.
python=$(command -v python3)

usage() {
  sed -n '7,11p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
}

# One case: the tree is copied into the case's folder and named relatively, so the messages the
# program prints carry no path of the machine that made them.
run_case() {
  local fishbone=$1 dir=$2 host=$3 tree=$4
  local name ext
  ext=${tree##*.}
  name="tree.$ext"
  mkdir -p "$dir"
  cp "$tree" "$dir/$name"
  local status=0
  (cd "$dir" && "$fishbone" generate "$name" -o report.xlsx --pdf report.pdf --png report.png \
    --pictures pictures --trace trace --data data.xlsx --host-version "$host") \
    >"$dir/stdout.txt" 2>"$dir/stderr.txt" || status=$?
  echo "$status" >"$dir/status.txt"
}

generate() {
  local out=$1 fishbone
  fishbone=$(realpath "${2:-$root/build/default/apps/fishbone/fishbone}")
  [ -x "$fishbone" ] || {
    echo "compare_outputs: no program at $fishbone" >&2
    exit 1
  }
  mkdir -p "$out"
  out=$(realpath "$out")
  local trees="$out/.trees"
  mkdir -p "$trees"
  "$python" "$here/reference_trees.py" "$root/tests/data/datasheet/reference-values.json" "$trees"
  for host in 11.0 12.0; do
    local base="$out/host-$host"
    mkdir -p "$base/demo"
    local status=0
    (cd "$base/demo" && "$fishbone" demo -o . --host-version "$host") \
      >"$base/demo/stdout.txt" 2>"$base/demo/stderr.txt" || status=$?
    echo "$status" >"$base/demo/status.txt"
    run_case "$fishbone" "$base/sample" "$host" "$root/src/resources/sample_analysis.txt"
    run_case "$fishbone" "$base/fifty_causes" "$host" "$root/tests/data/trees/good/fifty_causes.txt"
    for tree in "$trees"/*.xml; do
      run_case "$fishbone" "$base/$(basename "$tree" .xml)" "$host" "$tree"
    done
    echo "generated host $host: $(find "$base" -type f | wc -l) files in $base"
  done
  rm -rf "$trees"
}

case "${1:-}" in
  generate)
    [ $# -ge 2 ] || usage
    generate "$2" "${3:-}"
    ;;
  compare)
    [ $# -eq 3 ] || usage
    "$python" "$here/compare_outputs.py" "$2" "$3"
    ;;
  check)
    [ $# -ge 2 ] || usage
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    generate "$work/outputs" "${3:-}"
    "$python" "$here/compare_outputs.py" "$2" "$work/outputs"
    ;;
  *) usage ;;
esac
