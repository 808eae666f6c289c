#include "platform/sheet/formula/evaluator.h"

#include <cmath>

#include "platform/sheet/formula/coercion.h"
#include "platform/sheet/formula/function_table.h"

namespace fb::sheet::formula {

Operand CallContext::resolve(const Reference& ref) const {
  SheetId sheet = sheet_;
  if (!ref.sheet.empty()) {
    auto id = context_.sheet_by_name(ref.sheet);
    if (!id) return Operand::of(ErrorCode::Ref);
    sheet = *id;
  }
  auto row = [&](const RefPart& p) { return p.resolve(origin_.row); };
  auto col = [&](const RefPart& p) { return p.resolve(origin_.column); };
  RangeAddress r;
  switch (ref.kind) {
    case Reference::Kind::Cell:
      r.first = r.last = CellAddress{row(ref.row1), col(ref.col1)};
      break;
    case Reference::Kind::Area:
      r.first = CellAddress{row(ref.row1), col(ref.col1)};
      r.last = CellAddress{row(ref.row2), col(ref.col2)};
      break;
    case Reference::Kind::Columns:
      r.first = CellAddress{1, col(ref.col1)};
      r.last = CellAddress{kMaxRows, col(ref.col2)};
      break;
    case Reference::Kind::Rows:
      r.first = CellAddress{row(ref.row1), 1};
      r.last = CellAddress{row(ref.row2), kMaxColumns};
      break;
    case Reference::Kind::Invalid:
      return Operand::of(ErrorCode::Ref);
  }
  if (r.first.row > r.last.row) std::swap(r.first.row, r.last.row);
  if (r.first.column > r.last.column) std::swap(r.first.column, r.last.column);
  if (r.first.row < 1 || r.last.row > kMaxRows || r.first.column < 1 || r.last.column > kMaxColumns)
    return Operand::of(ErrorCode::Ref);
  return Operand::of_area(Area{sheet, r});
}

namespace {

bool is_scalar_kind(ArgKind k) {
  return k == ArgKind::Number || k == ArgKind::NumberNoBool || k == ArgKind::Text ||
         k == ArgKind::Logical || k == ArgKind::Scalar;
}

// The element of an array argument for position (r, c) of an element-wise call: a one-row or
// one-column array repeats along the other direction; positions beyond it are #N/A.
Value element_at(const Array& a, int r, int c) {
  const int rr = a.rows == 1 ? 0 : r;
  const int cc = a.columns == 1 ? 0 : c;
  if (rr >= a.rows || cc >= a.columns) return ErrorCode::NA;
  return a.at(rr, cc);
}

// Brings every argument to the kind its function declares, then calls it. The first argument
// that cannot be brought to its kind decides the error.
Operand invoke(CallContext& call, const FunctionInfo& info, std::span<Operand> args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    Operand& a = args[i];
    switch (arg_kind(info, i)) {
      case ArgKind::Number:
      case ArgKind::NumberNoBool: {
        double d = 0;
        if (!a.missing) {
          if (arg_kind(info, i) == ArgKind::NumberNoBool && is_boolean(a.value))
            return Operand::of(ErrorCode::Value);
          if (auto e = coerce_number(a.value, d)) return Operand::of(*e);
        }
        a.value = d;
        break;
      }
      case ArgKind::Text:
        if (is_error(a.value)) return Operand::of(a.value);
        if (!is_text(a.value)) a.value = coerce_text(a.value);
        break;
      case ArgKind::Logical: {
        bool b = false;
        if (auto e = coerce_logical(a.value, b)) return Operand::of(*e);
        a.value = b;
        break;
      }
      case ArgKind::Reference:
        if (!a.is_area()) return Operand::of(is_error(a.value) ? a.value : ErrorCode::Value);
        break;
      case ArgKind::Scalar:
      case ArgKind::Any:
        break;
    }
  }
  return info.impl(call, args);
}

}  // namespace

Operand apply_function(CallContext& call, FunctionId id, std::span<Operand> args) {
  const FunctionInfo& info = function_info(id);
  int rows = 0;
  int columns = 0;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (!is_scalar_kind(arg_kind(info, i))) continue;
    Operand& a = args[i];
    if (a.is_area()) {
      a = Operand::of(call.intersect(a.area));
    } else if (a.is_array()) {
      rows = std::max(rows, a.array.rows);
      columns = std::max(columns, a.array.columns);
    }
  }
  if (rows == 0) return invoke(call, info, args);

  Array out;
  out.rows = rows;
  out.columns = columns;
  out.values.reserve(static_cast<std::size_t>(rows * columns));
  std::vector<Operand> element(args.size());
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      for (std::size_t i = 0; i < args.size(); ++i) {
        if (is_scalar_kind(arg_kind(info, i)) && args[i].is_array()) {
          element[i] = Operand::of(element_at(args[i].array, r, c));
        } else {
          element[i] = args[i];
        }
      }
      out.values.push_back(call.scalar(invoke(call, info, element)));
    }
  }
  return Operand::of_array(std::move(out));
}

namespace {

constexpr std::size_t kArgumentRoom = 16;

}  // namespace

Evaluator::Evaluator(const Formula& f, EvalContext& context, SheetId sheet, CellAddress origin)
    : f_(f), call_(context, sheet, origin) {}

namespace {

// The single value of an operand that is no longer needed: a value moves out instead of being
// copied.
Value take_scalar(const CallContext& call, Operand&& o) {
  if (o.is_value()) return std::move(o.value);
  return call.scalar(o);
}

}  // namespace

Value Evaluator::result() {
  Value v = take_scalar(call_, eval(f_.root));
  // A formula that yields an empty cell shows 0, as the host does.
  if (is_empty(v)) return 0.0;
  return v;
}

Operand Evaluator::eval(std::uint32_t index) {
  const Node& n = f_.node(index);
  switch (n.kind) {
    case NodeKind::Constant:
      return Operand::of(f_.constants[n.index]);
    case NodeKind::Reference:
      return call_.resolve(f_.references[n.index]);
    case NodeKind::Array: {
      const ArrayConstant& a = f_.arrays[n.index];
      return Operand::of_array(Array{a.rows, a.columns, a.values});
    }
    case NodeKind::Name:
      return Operand::of(ErrorCode::Name);
    case NodeKind::Missing: {
      Operand o;
      o.missing = true;
      return o;
    }
    case NodeKind::Unary:
    case NodeKind::Percent:
      return eval_unary(n);
    case NodeKind::Binary:
      return eval_binary(n);
    case NodeKind::Paren:
      return eval(f_.child(n, 0));
    case NodeKind::Call:
      if (static_cast<FunctionId>(n.code) == FunctionId::If) return eval_if(n);
      return eval_call(n);
    case NodeKind::UserCall:
      return eval_user_call(n);
  }
  return Operand::of(ErrorCode::Value);
}

Operand Evaluator::eval_if(const Node& n) {
  Value condition = take_scalar(call_, eval(f_.child(n, 0)));
  bool truth = false;
  if (auto e = coerce_logical(condition, truth)) return Operand::of(*e);
  const std::uint32_t branch = truth ? 1 : 2;
  if (branch >= n.child_count) return Operand::of(Value(false));
  Operand o = eval(f_.child(n, branch));
  if (o.missing) return Operand::of(0.0);
  return o;
}

Operand Evaluator::eval_call(const Node& n) {
  // Room for the arguments of a few nested calls at once, rather than growing a step at a time
  // in every formula evaluated.
  if (stack_.capacity() == 0) stack_.reserve(kArgumentRoom);
  const std::size_t base = stack_.size();
  for (std::uint32_t k = 0; k < n.child_count; ++k) {
    Operand o = eval(f_.child(n, k));
    stack_.push_back(std::move(o));
  }
  Operand r = apply_function(call_, static_cast<FunctionId>(n.code),
                             std::span<Operand>(stack_.data() + base, n.child_count));
  stack_.erase(stack_.begin() + static_cast<std::ptrdiff_t>(base), stack_.end());
  return r;
}

Operand Evaluator::eval_user_call(const Node& n) {
  std::vector<UserFunctionArgument> args;
  args.reserve(n.child_count);
  for (std::uint32_t k = 0; k < n.child_count; ++k) {
    Operand o = eval(f_.child(n, k));
    if (o.is_area()) {
      args.emplace_back(o.area);
    } else {
      args.emplace_back(call_.scalar(o));
    }
  }
  auto result = call_.context().call_user_function(f_.names[n.index], args);
  if (!result) return Operand::of(ErrorCode::Name);
  return Operand::of(std::move(*result));
}

namespace {

Value arithmetic(BinaryOp op, const Value& a, const Value& b) {
  double x = 0;
  double y = 0;
  if (auto e = coerce_number(a, x)) return *e;
  if (auto e = coerce_number(b, y)) return *e;
  switch (op) {
    case BinaryOp::Add:
      return number_result(x + y);
    case BinaryOp::Subtract:
      return number_result(x - y);
    case BinaryOp::Multiply:
      return number_result(x * y);
    case BinaryOp::Divide:
      if (y == 0) return ErrorCode::Div0;
      return number_result(x / y);
    case BinaryOp::Power:
      if (x == 0 && y == 0) return ErrorCode::Num;
      if (x == 0 && y < 0) return ErrorCode::Div0;
      return number_result(std::pow(x, y));
    default:
      return ErrorCode::Value;
  }
}

Value binary_scalar(BinaryOp op, const Value& a, const Value& b) {
  switch (op) {
    case BinaryOp::Concat:
      if (is_error(a)) return a;
      if (is_error(b)) return b;
      return value_text(a) + value_text(b);
    case BinaryOp::Equal:
    case BinaryOp::NotEqual:
    case BinaryOp::Less:
    case BinaryOp::LessEqual:
    case BinaryOp::Greater:
    case BinaryOp::GreaterEqual: {
      if (is_error(a)) return a;
      if (is_error(b)) return b;
      const int c = compare_values(a, b);
      switch (op) {
        case BinaryOp::Equal:
          return c == 0;
        case BinaryOp::NotEqual:
          return c != 0;
        case BinaryOp::Less:
          return c < 0;
        case BinaryOp::LessEqual:
          return c <= 0;
        case BinaryOp::Greater:
          return c > 0;
        default:
          return c >= 0;
      }
    }
    default:
      return arithmetic(op, a, b);
  }
}

// Applies a scalar operation to one value, or to each element when the operand is an array.
template <class F>
Operand lift1(const CallContext& call, Operand o, F&& f) {
  if (!o.is_array()) return Operand::of(f(call.scalar(o)));
  for (Value& v : o.array.values) v = f(v);
  return o;
}

}  // namespace

Operand Evaluator::eval_unary(const Node& n) {
  const bool percent = n.kind == NodeKind::Percent;
  const bool minus = !percent && static_cast<UnaryOp>(n.code) == UnaryOp::Minus;
  Operand o = eval(f_.child(n, 0));
  if (!percent && !minus && !o.is_array()) {
    // Unary plus leaves its operand as it is, text included.
    return Operand::of(call_.scalar(o));
  }
  return lift1(call_, std::move(o), [&](const Value& v) -> Value {
    double d = 0;
    if (auto e = coerce_number(v, d)) return *e;
    if (percent) return number_result(d / 100);
    return minus ? number_result(-d) : number_result(d);
  });
}

namespace {

// Constants and single-cell references are most operands of comparisons and arithmetic; they
// never yield an array, so their value can be read without building an operand first.
bool reads_directly(const Node& n, const Formula& f) {
  return n.kind == NodeKind::Constant ||
         (n.kind == NodeKind::Reference && f.references[n.index].kind == Reference::Kind::Cell);
}

Value read_directly(const Node& n, const Formula& f, const CallContext& call) {
  if (n.kind == NodeKind::Constant) return f.constants[n.index];
  const Reference& ref = f.references[n.index];
  if (!ref.sheet.empty()) return call.scalar(call.resolve(ref));
  const int row = ref.row1.resolve(call.origin().row);
  const int column = ref.col1.resolve(call.origin().column);
  if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns) return ErrorCode::Ref;
  return call.cell(call.sheet(), row, column);
}

}  // namespace

Operand Evaluator::eval_binary(const Node& n) {
  const auto op = static_cast<BinaryOp>(n.code);
  const std::uint32_t left = f_.child(n, 0);
  const std::uint32_t right = f_.child(n, 1);
  // Cells are read in the order the general path reads them (reading one can note it as a
  // precedent still to be evaluated): whatever the left side reads, then the right cell.
  const bool direct = op != BinaryOp::Range && reads_directly(f_.node(right), f_);
  Operand a = direct && reads_directly(f_.node(left), f_)
                  ? Operand(read_directly(f_.node(left), f_, call_))
                  : eval(left);
  if (direct && a.is_area()) a = Operand(call_.scalar(a));
  Operand b = direct ? Operand(read_directly(f_.node(right), f_, call_)) : eval(right);
  if (op == BinaryOp::Range) {
    if (a.is_value() && is_error(a.value)) return a;
    if (b.is_value() && is_error(b.value)) return b;
    if (!a.is_area() || !b.is_area() || a.area.sheet != b.area.sheet)
      return Operand::of(ErrorCode::Value);
    RangeAddress r;
    r.first.row = std::min(a.area.range.first.row, b.area.range.first.row);
    r.first.column = std::min(a.area.range.first.column, b.area.range.first.column);
    r.last.row = std::max(a.area.range.last.row, b.area.range.last.row);
    r.last.column = std::max(a.area.range.last.column, b.area.range.last.column);
    return Operand::of_area(Area{a.area.sheet, r});
  }
  if (!a.is_array() && !b.is_array())
    return Operand::of(
        binary_scalar(op, take_scalar(call_, std::move(a)), take_scalar(call_, std::move(b))));

  // Element-wise over arrays; a single value or a one-row/one-column array repeats.
  auto dims = [](const Operand& o, int& rows, int& cols) {
    rows = o.is_array() ? o.array.rows : 1;
    cols = o.is_array() ? o.array.columns : 1;
  };
  int ar, ac, br, bc;
  dims(a, ar, ac);
  dims(b, br, bc);
  const Value sa = a.is_array() ? Value() : call_.scalar(a);
  const Value sb = b.is_array() ? Value() : call_.scalar(b);
  Array out;
  out.rows = std::max(ar, br);
  out.columns = std::max(ac, bc);
  out.values.reserve(static_cast<std::size_t>(out.rows * out.columns));
  for (int r = 0; r < out.rows; ++r) {
    for (int c = 0; c < out.columns; ++c) {
      const Value x = a.is_array() ? element_at(a.array, r, c) : sa;
      const Value y = b.is_array() ? element_at(b.array, r, c) : sb;
      out.values.push_back(binary_scalar(op, x, y));
    }
  }
  return Operand::of_array(std::move(out));
}

}  // namespace fb::sheet::formula
