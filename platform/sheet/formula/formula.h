#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sheet/cell_address.h"
#include "platform/sheet/eval_context.h"
#include "platform/sheet/value.h"

namespace fb::sheet::formula {

// A parsed formula. References are kept relative to the formula's own cell the way R1C1 text
// writes them, so one parsed formula serves every cell of a range that received the same R1C1
// text. Immutable once parsed; share it freely.
class Formula;
using FormulaPtr = std::shared_ptr<const Formula>;

enum class Notation { R1C1, A1 };

struct ParseError {
  std::string message;
  std::size_t position = 0;  // byte offset in the text
};

// Parses a formula text with or without its leading "=". `origin` is the cell the text is
// written to; A1 texts need it to turn their references into relative ones.
// Returns the error instead of throwing; the host turns it into error 1004.
struct ParseResult {
  FormulaPtr formula;               // set on success
  std::optional<ParseError> error;  // set on failure
};
ParseResult parse(std::string_view text, Notation notation, CellAddress origin);

// The formula's text, with the leading "=", as the object model reads it back.
std::string to_r1c1(const Formula& f);
std::string to_a1(const Formula& f, CellAddress origin);

// Evaluates the formula in cell `origin` of `sheet`. A formula whose result is an array gives its
// top-left element, as an ordinary (non-array) formula does in the host.
Value evaluate(const Formula& f, EvalContext& context, SheetId sheet, CellAddress origin);

// True when the formula calls OFFSET, INDIRECT or another function whose result may change
// without a change of its static references.
bool is_volatile(const Formula& f);

// Every reference written in the formula, resolved against `origin`. `sheet_name` is empty for
// references to the formula's own sheet. Dependency tracking uses it.
void for_each_reference(
    const Formula& f, CellAddress origin,
    const std::function<void(std::string_view sheet_name, const RangeAddress&)>& visit);

// The same references collected into `out` (cleared first), each distinct one once, for callers
// that visit many formulas and keep one buffer. The sheet names point into the formula.
struct ResolvedReference {
  std::string_view sheet_name;
  RangeAddress range;
};
void resolve_references(const Formula& f, CellAddress origin, std::vector<ResolvedReference>& out);

// Cells inserted or deleted on one sheet: `count` rows (or columns) at `at`, within the span
// [span_first, span_last] of the other dimension (a whole row or column insert covers all of it).
struct GridShift {
  enum class Axis { Rows, Columns } axis = Axis::Rows;
  enum class Kind { Insert, Delete } kind = Kind::Insert;
  int at = 1;
  int count = 1;
  int span_first = 1;
  int span_last = kMaxColumns;
};

// Where a cell of the shifted sheet lands; nullopt when the shift deletes it. A row or column past
// the grid's end means the cell fell off.
std::optional<CellAddress> shifted_position(CellAddress cell, const GridShift& shift);

// The formula as it must read after `shift` on the sheet `shifted_sheet_is_own` says it was made
// on (own sheet or another): references into the moved block follow it, references to deleted
// cells become #REF!. `old_origin` and `new_origin` are the formula's cell before and after.
// Returns nullptr when the formula's text does not change.
FormulaPtr adjust_for_shift(const Formula& f, CellAddress old_origin, CellAddress new_origin,
                            const GridShift& shift, bool shift_is_on_own_sheet,
                            std::string_view shifted_sheet_name);

// Adjusts the formulas of a workbook for one shift. Cells that shared one parsed formula before
// the shift and read the same cells relative to themselves after it share one adjusted formula
// again, so a filled range stays one formula object however often rows come and go.
class ShiftAdjuster {
 public:
  ShiftAdjuster(const GridShift& shift, std::string_view shifted_sheet_name);
  ~ShiftAdjuster();
  ShiftAdjuster(const ShiftAdjuster&) = delete;
  ShiftAdjuster& operator=(const ShiftAdjuster&) = delete;

  // As adjust_for_shift, for the formula held by a cell.
  FormulaPtr adjust(const FormulaPtr& f, CellAddress old_origin, CellAddress new_origin,
                    bool shift_is_on_own_sheet);

 private:
  struct Results;
  const GridShift shift_;
  const std::string shifted_sheet_name_;
  std::unique_ptr<Results> results_;
};

}  // namespace fb::sheet::formula
