#include "platform/sheet/formula/coercion.h"
#include "platform/sheet/formula/functions/functions.h"

namespace fb::sheet::formula::functions {

namespace {

// AND and OR look at the logical values of all arguments: typed values must read as logical,
// while text in cells and arrays is passed over. No logical value at all is #VALUE!.
Operand fold_logical(CallContext& call, Args args, bool is_and) {
  bool any = false;
  bool result = is_and;
  std::optional<ErrorCode> error;
  for (const Operand& a : args) {
    call.for_each_aggregate_value(a, [&](const Value& v, bool typed) {
      if (is_error(v)) {
        error = std::get<ErrorCode>(v);
        return false;
      }
      if (!typed && is_text(v)) return true;
      bool b = false;
      if (auto e = coerce_logical(v, b)) {
        error = *e;
        return false;
      }
      any = true;
      result = is_and ? (result && b) : (result || b);
      return true;
    });
    if (error) return Operand::of(*error);
  }
  if (!any) return Operand::of(ErrorCode::Value);
  return Operand::of(Value(result));
}

}  // namespace

Operand and_(CallContext& call, Args args) {
  return fold_logical(call, args, true);
}
Operand or_(CallContext& call, Args args) {
  return fold_logical(call, args, false);
}
Operand not_(CallContext&, Args args) {
  return Operand::of(Value(!logical(args[0])));
}

}  // namespace fb::sheet::formula::functions
