#!/usr/bin/env bash
# A message box belongs to the window that asked: after the answer the editor, where the user
# works, is the active window again and lies above the host's, instead of dropping behind it.
source "$(dirname "$0")/desktop.sh"

printf '问题\n  人\n    培训不足\n  机\n    电流波动\n' >"$ROOT/tree.txt"
start_gui "$ROOT/tree.txt"
window " 数据录入及整理 " 20 >/dev/null
click " 数据录入及整理 " 199 406 # 删除节点, with the problem itself selected: refused
window "警告！" >/dev/null
answer "警告！" Return
expect_active " 数据录入及整理 "
stacked_above " 数据录入及整理 " "Book1" || fail "the editor lies behind the host window"

# The same for a question the editor asks and the user declines.
click " 数据录入及整理 " 60 74 # the problem's first main cause, 人
click " 数据录入及整理 " 199 406 # 删除节点 asks first
for _ in $(seq 200); do
  question=$(active_title)
  [ "$question" != " 数据录入及整理 " ] && [ "$question" != "(none)" ] && break
  sleep 0.05
done
[ "$question" != " 数据录入及整理 " ] || fail "no question was asked"
answer "$question" Escape
expect_active " 数据录入及整理 "
stacked_above " 数据录入及整理 " "Book1" || fail "the editor lies behind the host window"
