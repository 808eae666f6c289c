#!/usr/bin/env bash
# The editor's window state follows the window manager both ways: 帮助 minimises the editor; the
# user restores it by hand from the taskbar; then 关 闭 minimises it again while it asks, and
# "No" brings it back, active and above the host's window.
source "$(dirname "$0")/desktop.sh"

printf '问题\n  人\n    培训不足\n  机\n    电流波动\n' >"$ROOT/tree.txt"
start_gui "$ROOT/tree.txt"
window " 数据录入及整理 " 20 >/dev/null
click " 数据录入及整理 " 133 450 # 帮助
expect_minimized " 数据录入及整理 " yes
restore_by_hand " 数据录入及整理 "
expect_minimized " 数据录入及整理 " no

click " 数据录入及整理 " 656 450 # 关 闭 asks first
window "警告！请慎重操作" >/dev/null
expect_minimized " 数据录入及整理 " yes
answer "警告！请慎重操作" Escape # No
expect_minimized " 数据录入及整理 " no
expect_active " 数据录入及整理 "
stacked_above " 数据录入及整理 " "Book1" || fail "the editor lies behind the host window"
