#pragma once

#include <vector>

#include "platform/sheet/formula/ast.h"
#include "platform/sheet/formula/call_context.h"
#include "platform/sheet/formula/function_table.h"
#include "platform/sheet/formula/operand.h"

namespace fb::sheet::formula {

// Evaluates one formula in one cell. Holds no state beyond the evaluation, so the workbook may
// evaluate any number of formulas at once or again after a precedent changed.
class Evaluator {
 public:
  Evaluator(const Formula& f, EvalContext& context, SheetId sheet, CellAddress origin);

  Operand eval(std::uint32_t node);
  Value result();

 private:
  Operand eval_if(const Node& n);
  Operand eval_call(const Node& n);
  Operand eval_user_call(const Node& n);
  Operand eval_binary(const Node& n);
  Operand eval_unary(const Node& n);

  const Formula& f_;
  CallContext call_;
  // Arguments of the calls under way, innermost last; reused so calls allocate nothing.
  std::vector<Operand> stack_;
};

// The result of a function with scalar arguments for each element of its array arguments.
Operand apply_function(CallContext& call, FunctionId id, std::span<Operand> args);

}  // namespace fb::sheet::formula
