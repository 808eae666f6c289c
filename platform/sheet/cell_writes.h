#pragma once

#include <vector>

#include "platform/sheet/cell_address.h"
#include "platform/sheet/cell_format.h"
#include "platform/sheet/formula/formula.h"
#include "platform/sheet/value.h"

namespace fb::sheet {

class Worksheet;

// A batch of content writes to one sheet. Cells change at once; finish() then tells the
// recalculation what changed, in write order, and lets an automatic workbook recalculate once.
class CellWrites {
 public:
  explicit CellWrites(Worksheet& sheet) : sheet_(&sheet) {}
  void set_constant(CellAddress at, Value value);
  void set_formula(CellAddress at, formula::FormulaPtr formula);
  void clear_content(CellAddress at);
  void set_format(CellAddress at, FormatId format);
  // Must be called once the batch is written; without it the recalculation misses the changes.
  void finish();

 private:
  struct Written {
    CellAddress at;
    bool formula;
  };
  Worksheet* sheet_;
  std::vector<Written> written_;
};

}  // namespace fb::sheet
