#include "platform/os/host_error.h"
#include "platform/sheet/application.h"
#include "platform/sheet/cell_writes.h"
#include "platform/sheet/range.h"
#include "platform/sheet/workbook.h"
#include "platform/sheet/worksheet.h"

namespace fb::sheet {
namespace {

[[noreturn]] void fail(const std::string& what) {
  throw HostError(host_error::kApplicationDefined, what);
}

}  // namespace

void Range::auto_fill(const Range& destination, AutoFillType type) {
  sheet_->application().faults().check(HostOperation::AutoFill);
  if (&destination.worksheet() != sheet_ || areas_.size() != 1 || destination.areas().size() != 1) {
    fail("AutoFill method of Range class failed");
  }
  const RangeAddress s = area();
  const RangeAddress d = destination.area();
  // The destination extends the source in one direction and keeps its other dimension.
  const bool same_columns = d.first.column == s.first.column && d.last.column == s.last.column;
  const bool same_rows = d.first.row == s.first.row && d.last.row == s.last.row;
  bool vertical = false;
  bool forward = true;
  if (same_columns && d.first.row == s.first.row && d.last.row >= s.last.row) {
    vertical = true;
  } else if (same_columns && d.last.row == s.last.row && d.first.row <= s.first.row) {
    vertical = true;
    forward = false;
  } else if (same_rows && d.first.column == s.first.column && d.last.column >= s.last.column) {
    vertical = false;
  } else if (same_rows && d.last.column == s.last.column && d.first.column <= s.first.column) {
    forward = false;
  } else {
    fail("AutoFill method of Range class failed: the destination must extend the source");
  }
  const int length = vertical ? s.rows() : s.columns();
  const int lanes = vertical ? s.columns() : s.rows();
  const int fill_length = vertical ? d.rows() : d.columns();
  auto at = [&](int lane, int pos) {  // pos counts along the fill direction from the source start
    if (vertical) {
      return forward ? CellAddress{s.first.row + pos, s.first.column + lane}
                     : CellAddress{s.last.row - pos, s.first.column + lane};
    }
    return forward ? CellAddress{s.first.row + lane, s.first.column + pos}
                   : CellAddress{s.first.row + lane, s.last.column - pos};
  };
  FormatTable& table = sheet_->workbook().formats();
  CellWrites writes(*sheet_);
  for (int lane = 0; lane < lanes; ++lane) {
    // A series runs on when every source cell of the lane is a constant number: one number grows
    // by 1; several continue their step (first to last over their spacing).
    std::vector<double> numbers;
    bool all_numbers = true;
    for (int pos = 0; pos < length; ++pos) {
      const Cell* c = sheet_->store().find(at(lane, pos));
      if (c != nullptr && !c->formula && is_number(c->value)) {
        numbers.push_back(std::get<double>(c->value));
      } else {
        all_numbers = false;
      }
    }
    const bool series =
        all_numbers && type != AutoFillType::Copy && (type == AutoFillType::Series || length > 1);
    double step = 1;
    if (series && length > 1) step = (numbers.back() - numbers.front()) / (length - 1);
    if (!forward) step = -step;
    for (int pos = length; pos < fill_length; ++pos) {
      const CellAddress target = at(lane, pos);
      const CellAddress source = at(lane, pos % length);
      const Cell* c = sheet_->store().find(source);
      const FormatId format = table.intern(sheet_->effective_format(source));
      if (series) {
        const double base = forward ? numbers.back() : numbers.front();
        writes.set_constant(target, base + step * (pos - length + 1));
      } else if (c != nullptr && c->formula) {
        writes.set_formula(target, c->formula);  // relative references follow the cell
      } else {
        writes.set_constant(target, c == nullptr ? Value(Empty{}) : c->value);
      }
      writes.set_format(target, format);
    }
  }
  writes.finish();
}

}  // namespace fb::sheet
