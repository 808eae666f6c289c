#pragma once

#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/sheet/eval_context.h"
#include "platform/sheet/formula/formula.h"

namespace fb::sheet {
// Lets test failures show values as the host shows them (gtest finds it through the variant's
// alternatives).
inline void PrintTo(const Value& v, std::ostream* os) {
  *os << (is_text(v) ? "\"" + value_text(v) + "\"" : value_text(v));
  if (is_empty(v)) *os << "(empty)";
}
}  // namespace fb::sheet

namespace fb::sheet::formula::testing {

// A workbook reduced to what formulas see: cells by sheet, sheet names, and the functions of an
// installed add-in. Sheet 0 is "Sheet1", the sheet formulas run on unless told otherwise.
class FakeContext : public EvalContext {
 public:
  using UserFunction = std::function<Value(std::span<const UserFunctionArgument>)>;

  FakeContext();

  SheetId add_sheet(std::string name);
  // `a1` is a cell address such as "B2"; on sheet 0 unless given.
  void set(std::string_view a1, Value v, SheetId sheet = 0);
  void set_column(std::string_view a1_first, const std::vector<Value>& values, SheetId sheet = 0);
  void add_user_function(std::string name, UserFunction f);

  Value cell_value(SheetId sheet, CellAddress cell) override;
  std::optional<SheetId> sheet_by_name(std::string_view name) const override;
  CellAddress used_extent(SheetId sheet) const override;
  std::optional<Value> call_user_function(std::string_view name,
                                          std::span<const UserFunctionArgument> args) override;

  int cell_reads = 0;
  std::vector<std::string> user_calls;  // names as the engine asked for them

 private:
  std::map<std::tuple<SheetId, int, int>, Value> cells_;
  std::vector<std::string> sheets_;
  std::map<std::string, UserFunction> functions_;  // upper-case names
};

CellAddress a1(std::string_view text);

// Parses `text` (A1 unless told otherwise) in `origin` and evaluates it on sheet 0. A parse
// error fails the calling test.
Value eval(FakeContext& context, std::string_view text, std::string_view origin = "A1",
           Notation notation = Notation::A1);

}  // namespace fb::sheet::formula::testing
