#include <algorithm>

#include "platform/os/host_error.h"
#include "platform/sheet/application.h"
#include "platform/sheet/cell_writes.h"
#include "platform/sheet/range.h"
#include "platform/sheet/range_moves.h"
#include "platform/sheet/workbook.h"
#include "platform/sheet/worksheet.h"

namespace fb::sheet {
namespace {

[[noreturn]] void fail(const std::string& what) {
  throw HostError(host_error::kApplicationDefined, what);
}

bool overlaps(const RangeAddress& a, const RangeAddress& b) {
  return a.first.row <= b.last.row && b.first.row <= a.last.row &&
         a.first.column <= b.last.column && b.first.column <= a.last.column;
}

Value combine(PasteOperation op, const Value& target, const Value& source) {
  if (op == PasteOperation::None) return source;
  auto number = [](const Value& v) -> std::optional<double> {
    if (is_empty(v)) return 0.0;
    if (const double* d = std::get_if<double>(&v)) return *d;
    return std::nullopt;
  };
  if (is_error(target)) return target;
  if (is_error(source)) return source;
  const auto a = number(target);
  const auto b = number(source);
  if (!a || !b) return is_empty(source) ? target : source;
  switch (op) {
    case PasteOperation::Add:
      return *a + *b;
    case PasteOperation::Subtract:
      return *a - *b;
    case PasteOperation::Multiply:
      return *a * *b;
    case PasteOperation::Divide:
      return *b == 0 ? Value(ErrorCode::Div0) : Value(*a / *b);
    case PasteOperation::None:
      break;
  }
  return source;
}

}  // namespace

CopiedCells snapshot_cells(const Range& range, bool cut) {
  if (range.areas().size() != 1) fail("That command cannot be used on multiple selections");
  Worksheet& ws = range.worksheet();
  const RangeAddress a = range.area();
  CopiedCells cc;
  cc.source_sheet = &ws;
  cc.source = a;
  cc.cut = cut;
  cc.rows = a.rows();
  cc.columns = a.columns();
  const int extent_row = ws.store().extent().row;
  cc.stored_rows = std::clamp(extent_row - a.first.row + 1, 0, cc.rows);
  cc.cells.reserve(static_cast<std::size_t>(cc.stored_rows) * static_cast<std::size_t>(cc.columns));
  for (int r = 0; r < cc.stored_rows; ++r) {
    for (int c = 0; c < cc.columns; ++c) {
      const CellAddress at{a.first.row + r, a.first.column + c};
      CopiedCell copied;
      if (const Cell* cell = ws.store().find(at)) {
        copied.value = cell->value;
        copied.formula = cell->formula;
      }
      copied.format = ws.effective_format(at);
      cc.cells.push_back(std::move(copied));
    }
  }
  for (int c = 0; c < cc.columns; ++c) {
    CopiedCell blank;
    blank.format = ws.effective_format(
        {std::min(a.last.row, std::max(extent_row + 1, a.first.row)), a.first.column + c});
    cc.column_blank.push_back(std::move(blank));
  }
  for (const auto& m : ws.merges()) {
    if (a.contains(m.first) && a.contains(m.last)) {
      cc.merges.push_back({{m.first.row - a.first.row + 1, m.first.column - a.first.column + 1},
                           {m.last.row - a.first.row + 1, m.last.column - a.first.column + 1}});
    }
  }
  return cc;
}

void place_cells(Worksheet& ws, const CopiedCells& cc, CellAddress top_left, bool moved) {
  const GridSize g = ws.grid();
  if (top_left.row + cc.rows - 1 > g.rows || top_left.column + cc.columns - 1 > g.columns) {
    fail("The paste area lies outside the sheet");
  }
  const RangeAddress target{top_left,
                            {top_left.row + cc.rows - 1, top_left.column + cc.columns - 1}};
  FormatTable& table = ws.workbook().formats();
  CellWrites writes(ws);
  for (int r = 0; r < cc.stored_rows; ++r) {
    for (int c = 0; c < cc.columns; ++c) {
      const CopiedCell& cell = cc.at(r, c);
      const CellAddress at{top_left.row + r, top_left.column + c};
      if (cell.formula) {
        formula::FormulaPtr f = cell.formula;
        if (moved) {
          // A moved formula that reads only cells moving with it keeps its relative offsets;
          // one that reads cells staying behind keeps naming them.
          const CellAddress from{cc.source.first.row + r, cc.source.first.column + c};
          bool reads_inside_only = true;
          formula::for_each_reference(*f, from,
                                      [&](std::string_view sheet, const RangeAddress& ref) {
                                        if (!sheet.empty() || !cc.source.contains(ref.first) ||
                                            !cc.source.contains(ref.last)) {
                                          reads_inside_only = false;
                                        }
                                      });
          if (!reads_inside_only) {
            const auto reparsed =
                formula::parse(formula::to_a1(*f, from), formula::Notation::A1, at);
            if (reparsed.formula) f = reparsed.formula;
          }
        }
        writes.set_formula(at, f);
      } else {
        writes.set_constant(at, cell.value);
      }
      writes.set_format(at, table.intern(cell.format));
    }
  }
  // Below the stored part the source is blank: blank the target there too.
  if (cc.stored_rows < cc.rows) {
    const RangeAddress rest{{top_left.row + cc.stored_rows, top_left.column}, target.last};
    ws.store().for_each_in(rest, [&](CellAddress at, Cell& cell) {
      if (cell.has_content()) writes.clear_content(at);
      cell.format = table.intern(cc.at(cc.rows - 1, at.column - top_left.column).format);
    });
  }
  auto& merges = ws.merges();
  std::erase_if(merges, [&](const RangeAddress& m) { return overlaps(m, target); });
  for (const auto& m : cc.merges) {
    merges.push_back({{top_left.row + m.first.row - 1, top_left.column + m.first.column - 1},
                      {top_left.row + m.last.row - 1, top_left.column + m.last.column - 1}});
  }
  writes.finish();
}

void clear_cut_source(const CopiedCells& cc) {
  Worksheet& ws = *cc.source_sheet;
  CellWrites writes(ws);
  ws.store().for_each_in(cc.source, [&](CellAddress at, Cell& cell) {
    if (cell.has_content()) writes.clear_content(at);
    cell.format = kNoFormat;
  });
  std::erase_if(ws.merges(), [&](const RangeAddress& m) {
    return cc.source.contains(m.first) && cc.source.contains(m.last);
  });
  writes.finish();
}

void Range::copy() const {
  sheet_->application().faults().check(HostOperation::Copy);
  sheet_->application().clipboard().set_cells(snapshot_cells(*this, false));
}

void Range::cut() const {
  sheet_->application().faults().check(HostOperation::Cut);
  sheet_->application().clipboard().set_cells(snapshot_cells(*this, true));
}

void Range::copy(const Range& destination) const {
  sheet_->application().faults().check(HostOperation::Copy);
  const CopiedCells cc = snapshot_cells(*this, false);
  place_cells(destination.worksheet(), cc, destination.area().first, false);
}

void Range::paste_special(PasteType type, PasteOperation operation, bool skip_blanks,
                          bool transpose) {
  Application& app = sheet_->application();
  app.faults().check(HostOperation::PasteSpecial);
  if (!app.clipboard().has_cells())
    fail("PasteSpecial method of Range class failed: nothing to paste");
  const CopiedCells cc = app.clipboard().cells();
  const RangeAddress dest = area();
  if (cc.cut) {
    if (type != PasteType::All || operation != PasteOperation::None || transpose) {
      fail("Cut cells can only be pasted as they are");
    }
    const bool single = dest.rows() == 1 && dest.columns() == 1;
    if (!single && (dest.rows() != cc.rows || dest.columns() != cc.columns)) {
      fail("The cut area and the paste area are not the same size");
    }
    app.clipboard().clear();
    clear_cut_source(cc);
    place_cells(*sheet_, cc, dest.first, true);
    return;
  }
  const int block_rows = transpose ? cc.columns : cc.rows;
  const int block_columns = transpose ? cc.rows : cc.columns;
  int tiles_down = 1;
  int tiles_across = 1;
  // A destination that is a whole multiple of the block repeats it; any other destination gets
  // the block once, at its top-left cell.
  if (dest.rows() % block_rows == 0 && dest.columns() % block_columns == 0) {
    tiles_down = dest.rows() / block_rows;
    tiles_across = dest.columns() / block_columns;
  }
  const GridSize g = sheet_->grid();
  if (dest.first.row + tiles_down * block_rows - 1 > g.rows ||
      dest.first.column + tiles_across * block_columns - 1 > g.columns) {
    fail("The paste area lies outside the sheet");
  }
  const bool content = type == PasteType::All || type == PasteType::Formulas;
  const bool values = type == PasteType::Values;
  const bool formats = type == PasteType::All || type == PasteType::Formats;
  FormatTable& table = sheet_->workbook().formats();
  CellWrites writes(*sheet_);
  const int stored_block_rows = transpose ? block_rows : std::min(block_rows, cc.stored_rows);
  for (int tr = 0; tr < tiles_down; ++tr) {
    for (int tc = 0; tc < tiles_across; ++tc) {
      const CellAddress origin{dest.first.row + tr * block_rows,
                               dest.first.column + tc * block_columns};
      for (int i = 0; i < stored_block_rows; ++i) {
        for (int j = 0; j < block_columns; ++j) {
          const CopiedCell& cell = transpose ? cc.at(j, i) : cc.at(i, j);
          const CellAddress at{origin.row + i, origin.column + j};
          const bool blank = !cell.formula && is_empty(cell.value);
          if (!(skip_blanks && blank)) {
            if (content && cell.formula && operation == PasteOperation::None) {
              writes.set_formula(at, cell.formula);
            } else if (content || values) {
              const Cell* current = sheet_->store().find(at);
              const Value target = current == nullptr ? Value(Empty{}) : current->value;
              writes.set_constant(at, combine(operation, target, cell.value));
            }
          }
          if (formats) writes.set_format(at, table.intern(cell.format));
        }
      }
      if (formats) {
        const RangeAddress tile{origin,
                                {origin.row + block_rows - 1, origin.column + block_columns - 1}};
        auto& merges = sheet_->merges();
        std::erase_if(merges, [&](const RangeAddress& m) { return overlaps(m, tile); });
        for (const auto& m : cc.merges) {
          RangeAddress placed = m;
          if (transpose) {
            placed = {{m.first.column, m.first.row}, {m.last.column, m.last.row}};
          }
          merges.push_back(
              {{origin.row + placed.first.row - 1, origin.column + placed.first.column - 1},
               {origin.row + placed.last.row - 1, origin.column + placed.last.column - 1}});
        }
      }
    }
  }
  writes.finish();
}

}  // namespace fb::sheet
