#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run. Idempotent: it asks
# apt only for what is missing, so a second run on a ready machine does nothing.
set -euo pipefail

packages=(
  # toolchain
  g++ cmake ninja-build pkg-config
  # style: the format check in the test suite and clang-tidy in CI
  clang-format clang-tidy
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # XML (the tree exchange file)
  libpugixml-dev
  # JSON (reference values in tests)
  nlohmann-json3-dev
  # drawing: cairo and pango, the fonts the product's font names map to, an EMF reader for tests
  libcairo2-dev libpango1.0-dev fonts-noto-cjk fonts-liberation2 fonts-noto-color-emoji emf2svg
  # the PDF's fonts: cut down by HarfBuzz's subsetter and read back by FreeType; its text is
  # checked with pdftotext in tests
  libharfbuzz-dev libfreetype-dev poppler-utils
  # the desktop host: Qt 6 widgets, print support and QtTest (one -dev package), and Qt's own
  # Chinese texts for its dialogs
  qt6-base-dev qt6-translations-l10n
  # grapheme clusters (captions are wrapped between whole characters)
  libicu-dev
  # zip archives: zlib's minizip writes the .xlsx package; libzip and openpyxl read it back in
  # tests, independent readers of its output
  libminizip-dev libzip-dev python3-openpyxl
  # a reader of the 97-2003 workbook format (tests check the report template with it)
  python3-xlrd
  # another spreadsheet program: a test has it open a report and save it again, and the kept
  # tree must survive (headless, without the desktop parts)
  libreoffice-calc-nogui
  # GIF decoding and writing (the progress animation, the welcome movie, their generator)
  libgif-dev
  # PNG decoding of the window pictures
  libpng-dev
  # the libFuzzer targets (fuzz/): clang with its fuzzer and sanitizer runtimes
  clang libclang-rt-14-dev
  # the help file: compiled with chmcmd, read with chmlib, checked with chmlib's extractor
  fp-utils-3.2.2 libchm-dev libchm-bin
  # the desktop's end-to-end tests: an X server, a window manager, and the tools that drive them
  # as a user does and read the window stack (xdotool, xwininfo, xprop, xwd, wmctrl)
  xvfb openbox xdotool x11-utils x11-apps wmctrl
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
