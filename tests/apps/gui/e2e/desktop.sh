# The desktop as a user meets it: the real fishbone-gui on an X server of its own (Xvfb) under a
# real window manager (openbox), driven with xdotool: clicks, keys, the active window and the
# window stack, which the offscreen widget tests cannot see. Sourced by each test script.
#
# Every test has its own display, its own empty home and folder; everything it starts is ended
# by its pid when the script exits, whatever way it exits. Without the X tools the test is
# skipped (status 77), saying so.

set -euo pipefail

GUI=$(realpath "${1:?usage: $0 FISHBONE_GUI [SCREENSHOT_DIR]}")
SHOTS=${2:-}
for tool in Xvfb openbox xdotool xwininfo xwd wmctrl; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed" >&2; exit 77; }
done

ROOT=$(mktemp -d "${TMPDIR:-/tmp}/fishbone-e2e-XXXXXX")
export HOME=$ROOT/home
mkdir -m 0700 "$HOME"
while IFS= read -r name; do unset "$name"; done < <(compgen -e | grep '^XDG_' || true)
unset QT_QPA_PLATFORM
PIDS=()

e2e_cleanup() {
  local status=$?
  for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do kill "${PIDS[i]}" 2>/dev/null || true; done
  for pid in "${PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  if [ "$status" -ne 0 ] && [ "$status" -ne 77 ]; then
    echo "--- fishbone-gui's output ---" >&2
    cat "$ROOT/gui.log" >&2 2>/dev/null || true
  fi
  rm -rf "$ROOT"
  exit "$status"
}
trap e2e_cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  shot_all "failure"
  exit 1
}

# The X server picks a free display itself and tells which on a pipe.
Xvfb -displayfd 4 -screen 0 1280x900x24 -nolisten tcp 4>"$ROOT/display" 2>"$ROOT/xvfb.log" &
PIDS+=($!)
for _ in $(seq 100); do [ -s "$ROOT/display" ] && break; sleep 0.05; done
[ -s "$ROOT/display" ] || fail "Xvfb did not start: $(cat "$ROOT/xvfb.log")"
export DISPLAY=:$(head -n1 "$ROOT/display")
openbox --sm-disable >"$ROOT/openbox.log" 2>&1 &
PIDS+=($!)
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.05
done

# Starts fishbone-gui with the given arguments in the test's folder.
start_gui() {
  (cd "$ROOT" && exec "$GUI" "$@") >"$ROOT/gui.log" 2>&1 &
  GUI_PID=$!
  PIDS+=("$GUI_PID")
}

# The id of the visible window whose title is exactly TITLE, waiting up to SECONDS (10) for it.
window() {
  local title=$1 seconds=${2:-10} id
  local deadline=$((SECONDS + seconds))
  while [ "$SECONDS" -le "$deadline" ]; do
    id=$(xdotool search --all --onlyvisible --pid "$GUI_PID" --name "^${title}\$" 2>/dev/null | tail -n1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$GUI_PID" 2>/dev/null || fail "the program ended while waiting for \"$title\""
    sleep 0.05
  done
  fail "no window \"$title\" after ${seconds}s; visible: $(visible_titles)"
}

visible_titles() {
  local id
  for id in $(xdotool search --all --onlyvisible --pid "$GUI_PID" --name . 2>/dev/null); do
    printf '[%s] ' "$(xdotool getwindowname "$id")"
  done
}

active_title() { xdotool getactivewindow getwindowname 2>/dev/null || echo "(none)"; }

# Succeeds when the window titled UPPER lies above the one titled LOWER in the window manager's
# stacking order (bottom to top).
stacked_above() {
  local upper lower order
  upper=$(printf '0x%x' "$(window "$1")")
  lower=$(printf '0x%x' "$(window "$2")")
  order=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
  local position=0 upper_at=-1 lower_at=-1 id
  for id in $order; do
    [ "$((id))" -eq "$((upper))" ] && upper_at=$position
    [ "$((id))" -eq "$((lower))" ] && lower_at=$position
    position=$((position + 1))
  done
  [ "$upper_at" -gt "$lower_at" ]
}

# Waits until the window titled TITLE is the active one.
expect_active() {
  local title=$1
  for _ in $(seq 100); do
    [ "$(active_title)" = "$title" ] && return 0
    sleep 0.05
  done
  fail "the active window is \"$(active_title)\", not \"$title\"; visible: $(visible_titles)"
}

# Waits until the welcome window and the progress animation (the program's windows without a
# title of their own) are gone, as a user waits before clicking what lies under them.
wait_settled() {
  local id overlay
  for _ in $(seq 200); do
    overlay=
    for id in $(xdotool search --all --onlyvisible --pid "$GUI_PID" --name . 2>/dev/null); do
      [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "fishbone-gui" ] || continue
      # Qt's own 1×1 helper window carries the same name; an overlay has a real size.
      xwininfo -id "$id" 2>/dev/null | grep -q 'Width: [0-9][0-9]' && overlay=$id
    done
    [ -z "$overlay" ] && return 0
    sleep 0.1
  done
  fail "the welcome window or the progress animation stayed over 20s"
}

# A left click at X,Y inside the window titled TITLE (its own coordinates), brought to the front
# first as a user does. Windows are named by title, not id: Qt may replace a window's X window
# while it settles (a change of its flags), and an id taken earlier then names nothing.
click() {
  wait_settled
  local id
  id=$(window "$1")
  xdotool windowactivate --sync "$id" 2>/dev/null || true
  xdotool mousemove --window "$id" "$2" "$3" click 1
  sleep 0.2
}

# Answers the box titled TITLE with a key, as a user who brings it to the front first.
answer() {
  wait_settled
  xdotool windowactivate --sync "$(window "$1")" 2>/dev/null || true
  expect_active "$1"
  keys "$2"
}

# Asks the window manager to close the window titled TITLE, as its close button does.
close_window() {
  wmctrl -i -c "$(window "$1")"
}

# Succeeds when a window titled TITLE is minimised: the window manager keeps it hidden.
is_minimized() {
  local id
  for id in $(xdotool search --all --pid "$GUI_PID" --name "^$1\$" 2>/dev/null); do
    xprop -id "$id" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_HIDDEN && return 0
  done
  return 1
}

# Waits until the window titled TITLE is minimised (yes) or shown (no).
expect_minimized() {
  local title=$1 wanted=$2
  for _ in $(seq 100); do
    if [ "$wanted" = yes ]; then
      is_minimized "$title" && return 0
    else
      ! is_minimized "$title" && xdotool search --all --onlyvisible --pid "$GUI_PID" \
        --name "^${title}\$" >/dev/null 2>&1 && return 0
    fi
    sleep 0.05
  done
  fail "the window \"$title\" is not $([ "$wanted" = yes ] && echo minimised || echo shown)"
}

# Restores the minimised window titled TITLE as a user does from the taskbar.
restore_by_hand() {
  local id
  for id in $(xdotool search --all --pid "$GUI_PID" --name "^$1\$" 2>/dev/null); do
    xprop -id "$id" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_HIDDEN || continue
    wmctrl -i -a "$id"
  done
  sleep 0.2
}

# Succeeds while the program runs.
gui_alive() { kill -0 "$GUI_PID" 2>/dev/null; }

keys() {
  xdotool key --delay 30 "$@"
  sleep 0.2
}

type_text() {
  xdotool type --delay 30 "$1"
  sleep 0.2
}

# Saves a picture of each visible window of the program into SHOTS (when given) as NAME-*.png.
shot_all() {
  [ -n "$SHOTS" ] || return 0
  mkdir -p "$SHOTS"
  local id n=0
  for id in $(xdotool search --all --onlyvisible --pid "${GUI_PID:-0}" --name . 2>/dev/null); do
    n=$((n + 1))
    xwd -id "$id" -silent >"$SHOTS/$1-$n.xwd" 2>/dev/null || true
  done
}
