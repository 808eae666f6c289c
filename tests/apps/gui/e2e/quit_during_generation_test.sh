#!/usr/bin/env bash
# Closing the host window while a generation holds it (the settings panel's auto-fit makes the
# run long enough to try) neither asks the quit questions under the run nor ends the program:
# it says why it cannot close now, and the report is made as if nothing happened.
source "$(dirname "$0")/desktop.sh"

cp "$(dirname "$0")/../../../data/trees/good/fifty_causes.txt" "$ROOT/tree.txt"
start_gui "$ROOT/tree.txt"
window " 数据录入及整理 " 20 >/dev/null
click " 数据录入及整理 " 533 88  # 鱼骨图设置
click " 数据录入及整理 " 497 353 # 自动适配
xdotool mousemove --window "$(window " 数据录入及整理 ")" 572 450 click 1 # 生成报表
for _ in $(seq 20); do
  close_window "Book1" 2>/dev/null && break
  sleep 0.02
done

# Whatever box the close brought, a user who wants to quit answers No to a save question (the
# answer that ended the program before) and otherwise just closes the box.
for _ in $(seq 200); do
  gui_alive || fail "the program ended"
  box=$(xdotool search --all --onlyvisible --pid "$GUI_PID" --name '^Fishbone$' 2>/dev/null | head -n1 || true)
  if [ -n "$box" ]; then
    xdotool windowactivate --sync "$box" 2>/dev/null || true
    keys alt+n
    xdotool search --all --onlyvisible --pid "$GUI_PID" --name '^Fishbone$' >/dev/null 2>&1 && keys Escape
    asked=1
    break
  fi
  [ -n "$(xdotool search --all --onlyvisible --pid "$GUI_PID" --name '^提示$' 2>/dev/null)" ] && break
  sleep 0.05
done
[ -n "${asked:-}" ] || echo "note: the run ended before the close reached the host" >&2

window "提示" 60 >/dev/null
answer "提示" Return
window "Fishbone Diagram Report1" >/dev/null
gui_alive || fail "the program ended"
leftover=$(find "$HOME" -name '程序正在运行中*' 2>/dev/null)
[ -z "$leftover" ] || fail "the run left its exchange file behind: $leftover"
[ -n "${asked:-}" ] || exit 77
