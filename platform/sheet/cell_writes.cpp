#include "platform/sheet/cell_writes.h"

#include "platform/sheet/application.h"
#include "platform/sheet/workbook.h"
#include "platform/sheet/worksheet.h"

namespace fb::sheet {

void CellWrites::set_constant(CellAddress at, Value value) {
  Cell* existing = sheet_->store().find(at);
  if (existing == nullptr && is_empty(value)) return;
  Cell& cell = existing != nullptr ? *existing : sheet_->store().at(at);
  const bool changed = cell.formula != nullptr || cell.value != value;
  cell.clear_content();
  cell.value = std::move(value);
  if (changed) written_.push_back({at, false});
}

void CellWrites::set_formula(CellAddress at, formula::FormulaPtr formula) {
  Cell& cell = sheet_->store().at(at);
  cell.clear_content();
  cell.formula = std::move(formula);
  cell.formula_stamp = sheet_->workbook().next_formula_stamp();
  written_.push_back({at, true});
}

void CellWrites::clear_content(CellAddress at) {
  set_constant(at, Empty{});
}

void CellWrites::set_format(CellAddress at, FormatId format) {
  Cell* existing = sheet_->store().find(at);
  if (existing == nullptr && format == kNoFormat) return;
  (existing != nullptr ? *existing : sheet_->store().at(at)).format = format;
}

void CellWrites::finish() {
  Workbook& wb = sheet_->workbook();
  const bool manual = wb.application().calculation() != Calculation::Automatic;
  std::vector<CellAddress> formulas;
  std::vector<CellAddress> constants;
  for (const Written& w : written_) (w.formula ? formulas : constants).push_back(w.at);
  written_.clear();
  wb.recalc().cells_written(*sheet_, formulas, constants, manual);
  wb.after_change();
}

}  // namespace fb::sheet
