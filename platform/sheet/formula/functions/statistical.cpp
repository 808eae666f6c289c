#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "platform/sheet/formula/coercion.h"
#include "platform/sheet/formula/criteria.h"
#include "platform/sheet/formula/functions/functions.h"

namespace fb::sheet::formula::functions {

namespace {

// The numbers an aggregate takes: typed values coerced, numbers of cells and arrays, the rest of
// cells and arrays passed over; the first error found is the result.
template <class F>
std::optional<ErrorCode> for_each_number(CallContext& call, Args args, F&& f) {
  std::optional<ErrorCode> error;
  for (const Operand& a : args) {
    call.for_each_aggregate_value(a, [&](const Value& v, bool typed) {
      if (is_error(v)) {
        error = std::get<ErrorCode>(v);
        return false;
      }
      if (typed) {
        double d = 0;
        if (auto e = coerce_number(v, d)) {
          error = *e;
          return false;
        }
        f(d);
      } else if (is_number(v)) {
        f(std::get<double>(v));
      }
      return true;
    });
    if (error) return error;
  }
  return std::nullopt;
}

Operand extreme(CallContext& call, Args args, bool want_max) {
  bool any = false;
  double best = 0;
  if (auto e = for_each_number(call, args, [&](double d) {
        if (!any || (want_max ? d > best : d < best)) best = d;
        any = true;
      }))
    return Operand::of(*e);
  return Operand::of(Value(any ? best : 0.0));
}

double area_cells(const Area& a) {
  return static_cast<double>(a.range.rows()) * static_cast<double>(a.range.columns());
}

}  // namespace

// Typed values count when they read as numbers; in cells and arrays only numbers count.
Operand count(CallContext& call, Args args) {
  double n = 0;
  for (const Operand& a : args) {
    call.for_each_aggregate_value(a, [&](const Value& v, bool typed) {
      double d = 0;
      if (is_number(v) || (typed && !is_error(v) && !coerce_number(v, d))) ++n;
      return true;
    });
  }
  return Operand::of(Value(n));
}

Operand count_a(CallContext& call, Args args) {
  double n = 0;
  for (const Operand& a : args) {
    call.for_each_aggregate_value(a, [&](const Value&, bool) {
      ++n;
      return true;
    });
  }
  return Operand::of(Value(n));
}

Operand count_if(CallContext& call, Args args) {
  const Criterion criterion(args[1].value);
  double n = 0;
  if (args[0].is_array()) {
    for (const Value& v : args[0].array.values) n += criterion.matches(v) ? 1 : 0;
    return Operand::of(Value(n));
  }
  if (!args[0].is_area()) {
    return Operand::of(is_error(args[0].value) ? args[0].value : Value(ErrorCode::Value));
  }
  const Area& range = args[0].area;
  double visited = 0;
  call.for_each_used_cell(range, [&](int, int, const Value& v) {
    ++visited;
    if (criterion.matches(v)) ++n;
    return true;
  });
  // Cells beyond the used part of the sheet are empty; count them without reading them.
  if (criterion.matches(Value())) n += area_cells(range) - visited;
  return Operand::of(Value(n));
}

Operand max(CallContext& call, Args args) {
  return extreme(call, args, true);
}
Operand min(CallContext& call, Args args) {
  return extreme(call, args, false);
}

Operand large(CallContext& call, Args args) {
  std::vector<double> values;
  if (auto e = for_each_number(call, args.first(1), [&](double d) { values.push_back(d); }))
    return Operand::of(*e);
  const double k = std::ceil(num(args[1]));
  if (k < 1 || k > static_cast<double>(values.size())) return Operand::of(ErrorCode::Num);
  const auto nth = values.begin() + static_cast<std::ptrdiff_t>(k - 1);
  std::nth_element(values.begin(), nth, values.end(), std::greater<>());
  return Operand::of(Value(*nth));
}

}  // namespace fb::sheet::formula::functions
