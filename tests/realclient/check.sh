#!/bin/sh
# Real clients on the sample's report: writes the report of both host profiles through the
# realclient tests, has LibreOffice convert each .xlsx to PDF, checks that the PDF is one page,
# and renders it to PNG next to our own page for a person to compare.
#
#   tests/realclient/check.sh [BUILD_DIR] [OUT_DIR]
#
# BUILD_DIR defaults to build/default, OUT_DIR to out/realclient. Needs soffice, pdfinfo and
# pdftoppm (poppler-utils).
set -eu

build=${1:-build/default}
out=${2:-out/realclient}
mkdir -p "$out"
out=$(cd "$out" && pwd)

for tool in soffice pdfinfo pdftoppm; do
  command -v "$tool" >/dev/null 2>&1 || { echo "check.sh: $tool is not installed" >&2; exit 2; }
done

FB_KEEP_REPORT="$out" "$build/tests/realclient/realclient_tests" --gtest_brief=1

status=0
profile_home=$(mktemp -d)
trap 'rm -rf "$profile_home"' EXIT
for version in 11.0 12.0; do
  folder="$out/$version"
  converted="$folder/libreoffice"
  mkdir -p "$converted"
  # A private LibreOffice profile, so that a running office or a first-start dialog cannot interfere.
  if ! soffice -env:UserInstallation="file://$profile_home" --headless \
      --convert-to pdf --outdir "$converted" "$folder/report.xlsx" >"$converted/soffice.log" 2>&1; then
    echo "$version: LibreOffice could not convert $folder/report.xlsx" >&2
    cat "$converted/soffice.log" >&2
    status=1
    continue
  fi
  pdf="$converted/report.pdf"
  pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
  size=$(pdfinfo "$pdf" | sed -n 's/^Page size: *//p')
  if [ "$pages" != 1 ]; then
    echo "$version: $pdf has $pages pages, not one" >&2
    status=1
  fi
  pdftoppm -png -r 100 -singlefile "$pdf" "$converted/report"
  echo "$version: $pdf: $pages page, $size; picture $converted/report.png, ours $folder/report.png"
done
exit $status
