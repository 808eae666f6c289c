#include "platform/os/host_error.h"
#include "platform/sheet/application.h"
#include "platform/sheet/range.h"
#include "platform/sheet/range_moves.h"
#include "platform/sheet/workbook.h"
#include "platform/sheet/worksheet.h"

namespace fb::sheet {
namespace {

[[noreturn]] void fail(const std::string& what) {
  throw HostError(host_error::kApplicationDefined, what);
}

using formula::GridShift;

// The shift that inserting (or deleting) the area means, moving cells along `rows`.
GridShift shift_for(const RangeAddress& a, bool rows, GridShift::Kind kind) {
  GridShift s;
  s.kind = kind;
  s.axis = rows ? GridShift::Axis::Rows : GridShift::Axis::Columns;
  s.at = rows ? a.first.row : a.first.column;
  s.count = rows ? a.rows() : a.columns();
  s.span_first = rows ? a.first.column : a.first.row;
  s.span_last = rows ? a.last.column : a.last.row;
  return s;
}

// Insertion pushes the last lines of the span off the grid: refused when they hold anything.
void check_room(Worksheet& ws, const GridShift& s) {
  const GridSize g = ws.grid();
  const bool rows = s.axis == GridShift::Axis::Rows;
  const int limit = rows ? g.rows : g.columns;
  RangeAddress lost = rows
                          ? RangeAddress{{limit - s.count + 1, s.span_first}, {limit, s.span_last}}
                          : RangeAddress{{s.span_first, limit - s.count + 1}, {s.span_last, limit}};
  bool occupied = false;
  ws.store().for_each_in(lost, [&](CellAddress, Cell& c) { occupied |= c.has_content(); });
  if (occupied) fail("Cannot shift nonblank cells off the worksheet");
}

bool shift_rows(const RangeAddress& a, GridSize g, bool insert_down_or_delete_up_given,
                bool explicit_rows) {
  if (is_whole_rows(a, g)) return true;
  if (is_whole_columns(a, g)) return false;
  if (insert_down_or_delete_up_given) return explicit_rows;
  // Without a direction the host goes by the shape: a wide area moves cells vertically.
  return a.columns() >= a.rows();
}

}  // namespace

void Range::insert(std::optional<InsertShift> shift) {
  Application& app = sheet_->application();
  app.faults().check(HostOperation::Insert);
  if (areas_.size() != 1) fail("Insert method of Range class failed: several areas");
  const GridSize g = sheet_->grid();
  RangeAddress a = area();
  if (app.clipboard().has_cells() && app.clipboard().cells().cut) {
    // Inserting cut cells moves them here: they leave their place (the cells after them close
    // up), room is made at the destination and they land in it.
    const CopiedCells cc = app.clipboard().cells();
    if (cc.source_sheet != sheet_) fail("Cut cells can only be inserted on their own sheet");
    const bool rows = shift ? *shift == InsertShift::Down : is_whole_rows(cc.source, g);
    app.clipboard().clear();
    const GridShift removal = shift_for(cc.source, rows, GridShift::Kind::Delete);
    sheet_->workbook().shift_cells(*sheet_, removal);
    int& line = rows ? a.first.row : a.first.column;
    if (line > (rows ? cc.source.last.row : cc.source.last.column)) line -= removal.count;
    RangeAddress room = rows ? RangeAddress{{line, cc.source.first.column},
                                            {line + cc.rows - 1, cc.source.last.column}}
                             : RangeAddress{{cc.source.first.row, line},
                                            {cc.source.last.row, line + cc.columns - 1}};
    const GridShift insertion = shift_for(room, rows, GridShift::Kind::Insert);
    check_room(*sheet_, insertion);
    sheet_->workbook().shift_cells(*sheet_, insertion);
    place_cells(*sheet_, cc, room.first, true);
    return;
  }
  const bool rows = shift_rows(a, g, shift.has_value(), shift == InsertShift::Down);
  const GridShift s = shift_for(a, rows, GridShift::Kind::Insert);
  check_room(*sheet_, s);
  if (app.clipboard().has_cells() && app.clipboard().cells().cut) app.clipboard().clear();
  sheet_->workbook().shift_cells(*sheet_, s);
  sheet_->workbook().after_change();
}

void Range::delete_cells(std::optional<DeleteShift> shift) {
  Application& app = sheet_->application();
  app.faults().check(HostOperation::Delete);
  if (areas_.size() != 1) fail("Delete method of Range class failed: several areas");
  const GridSize g = sheet_->grid();
  const RangeAddress a = area();
  const bool rows = shift_rows(a, g, shift.has_value(), shift == DeleteShift::Up);
  if (app.clipboard().has_cells() && app.clipboard().cells().cut) app.clipboard().clear();
  sheet_->workbook().shift_cells(*sheet_, shift_for(a, rows, GridShift::Kind::Delete));
  sheet_->workbook().after_change();
}

}  // namespace fb::sheet
