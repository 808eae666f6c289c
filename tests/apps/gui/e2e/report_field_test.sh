#!/usr/bin/env bash
# A quality engineer makes the report and fills in its Month/Year field (B7:E7, merged) with a
# click in the middle of the field, then saves it: the text must be in B7, the cell every
# spreadsheet program shows for the field, and in none of the field's hidden cells.
source "$(dirname "$0")/desktop.sh"

printf '焊缝气孔超标\n  人\n    培训不足\n  机\n    电流波动\n' >"$ROOT/tree.txt"
start_gui "$ROOT/tree.txt"
window " 数据录入及整理 " 20 >/dev/null
click " 数据录入及整理 " 572 450 # 生成报表
window "提示" 60 >/dev/null
answer "提示" Return
window "Fishbone Diagram Report1" >/dev/null

# The middle of the Month/Year field is over D7, a hidden cell of B7:E7.
click "Fishbone Diagram Report1" 338 218
type_text "2024-05"
keys Return
keys ctrl+s # 保存: the new report has no file yet, so it asks where to save it
window "另存为" >/dev/null
keys ctrl+a
type_text "$ROOT/filled.xlsx"
keys Return
for _ in $(seq 100); do [ -s "$ROOT/filled.xlsx" ] && break; sleep 0.05; done
[ -s "$ROOT/filled.xlsx" ] || fail "the report was not saved"

/usr/bin/python3 - "$ROOT/filled.xlsx" <<'PY' || fail "the typed text is not where the field shows it"
import sys, openpyxl
sheet = openpyxl.load_workbook(sys.argv[1]).active
found = {c: sheet[c].value for c in ("B7", "C7", "D7", "E7")}
print("B7:E7 holds", found)
assert found["B7"] == "2024-05" and not any(found[c] for c in ("C7", "D7", "E7"))
PY
