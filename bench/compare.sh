#!/usr/bin/env bash
# Side by side, in one run on this machine: our whole `fishbone generate` process against what a
# user would pick instead, on the fifty-cause tree and on the built-in sample.
#   - ours: the report as .xlsx and PDF, and as .xlsx alone;
#   - LibreOffice headless converting our finished .xlsx to PDF (a smaller job than ours);
#   - the Mermaid library's ishikawa diagram of the same tree to SVG in headless Chromium
#     (bench/compare/mermaid_svg.mjs), and its warm draw in an already open page.
# hyperfine runs every command after warm-up runs and the table gives medians and ratios.
#
#   bash bench/compare.sh [--install] [--runs N] [FISHBONE]   (default build/default/...)
#
# --install fetches the other engines first: Debian's hyperfine, libreoffice-calc-nogui and
# chromium, and mermaid and puppeteer-core from npm into bench/compare/node_modules. Neither
# the README's commands nor CI install them.
set -euo pipefail
cd "$(dirname "$0")/.."
install=false
runs=10
while [ $# -gt 0 ]; do
  case "$1" in
    --install) install=true; shift ;;
    --runs) runs=$2; shift 2 ;;
    *) break ;;
  esac
done
fishbone=$(realpath "${1:-build/default/apps/fishbone/fishbone}")

if $install; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    hyperfine libreoffice-calc-nogui chromium nodejs npm
  (cd bench/compare && npm install --no-audit --no-fund --silent)
fi
for tool in hyperfine soffice chromium node; do
  command -v "$tool" >/dev/null || { echo "compare: $tool is missing; run with --install" >&2; exit 1; }
done
[ -d bench/compare/node_modules/mermaid ] ||
  { echo "compare: mermaid is not installed; run with --install" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "## Machine"
echo
echo "- $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)," \
  "$(free -g | awk '/Mem:/ {print $2}') GiB; load average before the run: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "- $("$fishbone" --version); $(soffice --version | head -1 | cut -d' ' -f1-3);" \
  "$(chromium --version 2>/dev/null | head -1); mermaid" \
  "$(node -p "require('./bench/compare/node_modules/mermaid/package.json').version")," \
  "node $(node --version)"
echo "- hyperfine, $runs runs after 2 warm-up runs, no shell (-N)"
echo

echo "## Start-up"
echo
hyperfine -N -w 2 -r "$runs" --style none --export-json "$work/start.json" \
  -n "fishbone --version" "$fishbone --version" \
  -n "fishbone check" "$fishbone check" >/dev/null
python3 bench/compare/summary.py "$work/start.json"
echo

declare -A trees=(
  [fifty_causes]=tests/data/trees/good/fifty_causes.txt
  [sample]=src/resources/sample_analysis.txt
)
for name in fifty_causes sample; do
  tree=$(realpath "${trees[$name]}")
  "$fishbone" generate "$tree" -o "$work/$name.xlsx" >/dev/null 2>&1
  "$fishbone" convert "$tree" -o "$work/$name.txt" --to txt >/dev/null
  echo "## $name ($(grep -c . "$work/$name.txt") nodes)"
  echo
  hyperfine -N -w 2 -r "$runs" --style none --export-json "$work/$name.json" \
    -n "fishbone generate → .xlsx + PDF" \
    "$fishbone generate $tree -o $work/ours.xlsx --pdf $work/ours.pdf" \
    -n "fishbone generate → .xlsx" "$fishbone generate $tree -o $work/ours.xlsx" \
    -n "LibreOffice: our .xlsx → PDF" \
    "soffice --headless -env:UserInstallation=file://$work/lo-profile --convert-to pdf --outdir $work/lo $work/$name.xlsx" \
    -n "Mermaid ishikawa → SVG in Chromium" \
    "node bench/compare/mermaid_svg.mjs $work/$name.txt $work/mermaid.svg" >/dev/null
  python3 bench/compare/summary.py "$work/$name.json"
  warm=$(node bench/compare/mermaid_svg.mjs "$work/$name.txt" "$work/mermaid.svg" --warm 20)
  echo
  echo "Mermaid's warm draw in an open page (median of 20): $warm ms"
  echo
done
