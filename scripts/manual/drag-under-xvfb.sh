#!/usr/bin/env bash
# A real drag with the mouse, which the offscreen tests cannot make (a real QDrag runs its own
# loop with the window system): the editor opens on the sample analysis under Xvfb, a cause is
# typed into the text box, selected and dragged onto the main problem with xdotool, and the
# editor's window is saved before, during and after the drop for a person to look at (window by
# window: without a window manager, Xvfb's root picture shows Qt's second windows black).
# Needs: apt-get install xvfb xdotool x11-apps imagemagick
# Usage: scripts/manual/drag-under-xvfb.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=${1:-build/default}
out=${2:-/tmp/drag-check}
mkdir -p "$out"
home=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$home"' EXIT
export DISPLAY=:97
Xvfb "$DISPLAY" -screen 0 1280x800x24 >/dev/null 2>&1 &
sleep 1
cp "$(dirname "$0")/../../src/resources/sample_analysis.txt" "$home/sample.txt"
HOME=$home XDG_CONFIG_HOME=$home/config XDG_STATE_HOME=$home/state XDG_RUNTIME_DIR=$home/run \
  "$build/apps/fishbone-gui/fishbone-gui" "$home/sample.txt" >"$out/gui.log" 2>&1 &
editor=""
for _ in $(seq 1 40); do
  editor=$(xdotool search --name "数据录入及整理" 2>/dev/null | head -1 || true)
  [ -n "$editor" ] && break
  sleep 0.25
done
[ -n "$editor" ] || { echo "the editor did not open" >&2; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$editor")"  # X, Y of the client area
# Text1 lies at (463, 43) in the client area, 217 x 25; the tree's first row at (10, 33).
xdotool mousemove $((X + 500)) $((Y + 55)) click 1
xdotool type --delay 40 "cooling"
xdotool key ctrl+a
sleep 0.3
xwd -id "$editor" -silent | convert xwd:- "$out/before.png"
xdotool mousemove $((X + 480)) $((Y + 55)) mousedown 1
for step in $(seq 1 20); do
  xdotool mousemove $((X + 480 - step * 18)) $((Y + 55))
  sleep 0.05
done
sleep 0.3
xwd -id "$editor" -silent | convert xwd:- "$out/dragging.png"
xdotool mouseup 1
sleep 0.5
xwd -id "$editor" -silent | convert xwd:- "$out/after.png"
echo "wrote $out/before.png, $out/dragging.png and $out/after.png"
