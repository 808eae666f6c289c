#!/usr/bin/env bash
# The editor by keyboard, as a user who prefers it: F2 renames the selected cause, Delete asks
# before it deletes, and the renamed tree is what 保存分析 writes.
source "$(dirname "$0")/desktop.sh"

printf '问题\n  人\n    培训不足\n  机\n    电流波动\n' >"$ROOT/tree.txt"
start_gui "$ROOT/tree.txt"
window " 数据录入及整理 " 20 >/dev/null
click " 数据录入及整理 " 60 74 # the first main cause, 人
keys Down Down # its cause, then the second main cause, 机
keys F2 ctrl+a
type_text "Machine"
keys Return
keys Delete # asks first
window "警告！删除请慎重操作" >/dev/null
answer "警告！删除请慎重操作" Escape # No
expect_active " 数据录入及整理 "

click "Book1" 400 400
keys alt+f # 文件, then 保存分析 once the menu is open
sleep 0.5
keys l
window "保存分析" >/dev/null
keys ctrl+a
type_text "$ROOT/saved.txt"
keys Return
for _ in $(seq 100); do [ -s "$ROOT/saved.txt" ] && break; sleep 0.05; done
grep -q "^  Machine$" "$ROOT/saved.txt" ||
  fail "the renamed cause is not in the saved tree: $(cat "$ROOT/saved.txt" 2>/dev/null)"
grep -q "^    电流波动$" "$ROOT/saved.txt" || fail "the declined deletion deleted"
