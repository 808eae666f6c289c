#!/usr/bin/env bash
# Every activation of the editor runs its activation checks, not only the first: with the editor
# open, the user unloads the analysis library in the host's 加载宏 dialog and clicks back into the
# editor; the editor notices, says so (W1) and closes, as it does when it opens without it.
source "$(dirname "$0")/desktop.sh"

printf '问题\n  人\n    培训不足\n  机\n    电流波动\n' >"$ROOT/tree.txt"
start_gui "$ROOT/tree.txt"
window " 数据录入及整理 " 20 >/dev/null
click "Book1" 400 400 # a cell of the host's sheet
expect_active "Book1"
keys alt+t # 工具, then 加载宏 once the menu is open
sleep 0.5
keys i
window "加载宏" >/dev/null
expect_active "加载宏"
keys space Return # 分析工具库 (the first control, with the focus) off, 确定
expect_active "Book1"

click " 数据录入及整理 " 300 300 # back into the editor
window "Kivo Workbench 2" >/dev/null
answer "Kivo Workbench 2" Return
for _ in $(seq 100); do
  xdotool search --all --onlyvisible --pid "$GUI_PID" --name "^ 数据录入及整理 \$" >/dev/null 2>&1 ||
    exit 0
  sleep 0.05
done
fail "the editor stayed open without the analysis library"
