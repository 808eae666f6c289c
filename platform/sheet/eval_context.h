#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <variant>

#include "platform/sheet/cell_address.h"
#include "platform/sheet/value.h"

namespace fb::sheet {

// Identifies a worksheet of the workbook a formula lives in. Stable while the sheet exists.
using SheetId = int;

// A rectangle on a given sheet: what a reference evaluates to before a function takes its values.
struct Area {
  SheetId sheet = 0;
  RangeAddress range;
  friend bool operator==(const Area&, const Area&) = default;
};

// An argument as a user-defined function receives it: a reference stays a reference (the host
// turns it into a range object), anything else arrives as its value.
using UserFunctionArgument = std::variant<Value, Area>;

// What the formula engine needs from the workbook while it evaluates one formula. The workbook
// model implements it; the engine never sees cells, sheets or workbooks directly.
class EvalContext {
 public:
  virtual ~EvalContext() = default;

  // The current value of a cell as formulas see it (an empty cell is Empty).
  virtual Value cell_value(SheetId sheet, CellAddress cell) = 0;

  // The sheet of this workbook with the given name, compared case-insensitively.
  virtual std::optional<SheetId> sheet_by_name(std::string_view name) const = 0;

  // The bottom-right corner of the used part of a sheet, so that whole-column and whole-row
  // references need not visit a million empty cells. {0, 0} for an empty sheet.
  virtual CellAddress used_extent(SheetId sheet) const = 0;

  // Calls a function of an installed automation add-in by name (case-insensitive). nullopt when
  // no installed add-in has it; the engine then yields #NAME?.
  virtual std::optional<Value> call_user_function(std::string_view name,
                                                  std::span<const UserFunctionArgument> args) = 0;
};

}  // namespace fb::sheet
