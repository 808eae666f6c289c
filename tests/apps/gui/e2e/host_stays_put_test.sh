#!/usr/bin/env bash
# The host's window stays where the user put it: a generation hides it while it runs and shows it
# again, and the window manager must not place it anew.
source "$(dirname "$0")/desktop.sh"

position() { xdotool getwindowgeometry "$(window "$1")" | sed -n 's/ *Position: \([0-9]*,[0-9]*\).*/\1/p'; }

printf '问题\n  人\n    培训不足\n  机\n    电流波动\n' >"$ROOT/tree.txt"
start_gui "$ROOT/tree.txt"
window " 数据录入及整理 " 20 >/dev/null
xdotool windowmove "$(window "Book1")" 211 147
sleep 0.5
before=$(position "Book1")
click " 数据录入及整理 " 572 450 # 生成报表
window "提示" 60 >/dev/null
answer "提示" Return
window "Fishbone Diagram Report1" >/dev/null
after=$(position "Fishbone Diagram Report1")
[ "$before" = "$after" ] || fail "the host's window moved from $before to $after"
