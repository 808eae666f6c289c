#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <string>

#include "platform/sheet/formula/coercion.h"
#include "platform/sheet/formula/criteria.h"
#include "platform/sheet/formula/functions/functions.h"

namespace fb::sheet::formula::functions {

namespace {

enum class Rounding { HalfAwayFromZero, AwayFromZero };

// Rounds on the number's 15-digit decimal form, as the host does, so that 2.675 rounds to 2.68
// although its binary value lies just below.
double round_decimal(double x, double digits_arg, Rounding mode) {
  if (x == 0 || !std::isfinite(x)) return x;
  const long digits = static_cast<long>(std::trunc(digits_arg));
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(x));
  std::string mantissa;
  const char* p = buffer;
  for (; *p != 'e'; ++p) {
    if (*p != '.') mantissa.push_back(*p);
  }
  const long exponent = std::atol(p + 1);
  const long keep = exponent + 1 + digits;  // mantissa digits left of the cut
  if (keep >= static_cast<long>(mantissa.size())) return x;
  bool increment = false;
  if (keep < 0) {
    increment = mode == Rounding::AwayFromZero;
    if (!increment) return 0.0;
    return std::copysign(std::pow(10.0, static_cast<double>(-digits)), x);
  }
  std::string kept = mantissa.substr(0, static_cast<std::size_t>(keep));
  const std::string rest = mantissa.substr(static_cast<std::size_t>(keep));
  if (mode == Rounding::HalfAwayFromZero) {
    increment = rest[0] >= '5';
  } else {
    increment = rest.find_first_not_of('0') != std::string::npos;
  }
  if (kept.empty()) kept = "0";
  if (increment) {
    int i = static_cast<int>(kept.size()) - 1;
    while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9')
      kept[static_cast<std::size_t>(i--)] = '0';
    if (i < 0) {
      kept.insert(kept.begin(), '1');
    } else {
      ++kept[static_cast<std::size_t>(i)];
    }
  }
  const std::string text = kept + "e" + std::to_string(-digits);
  return std::copysign(std::strtod(text.c_str(), nullptr), x);
}

// Collects the numbers of aggregate arguments for LCM and GCD: whole, non-negative numbers only.
std::optional<ErrorCode> integer_arguments(CallContext& call, Args args, std::vector<double>& out) {
  std::optional<ErrorCode> error;
  for (const Operand& a : args) {
    call.for_each_aggregate_value(a, [&](const Value& v, bool typed) {
      double d = 0;
      if (is_boolean(v) || (!typed && is_text(v))) {
        error = ErrorCode::Value;
        return false;
      }
      if (auto e = coerce_number(v, d)) {
        error = *e;
        return false;
      }
      d = std::trunc(d);
      if (d < 0 || d >= 9007199254740992.0) {
        error = ErrorCode::Num;
        return false;
      }
      out.push_back(d);
      return true;
    });
    if (error) return error;
  }
  return std::nullopt;
}

}  // namespace

Operand abs(CallContext&, Args args) {
  return Operand::of(Value(std::fabs(num(args[0]))));
}

Operand round_up(CallContext&, Args args) {
  return Operand::of(
      number_result(round_decimal(num(args[0]), num(args[1]), Rounding::AwayFromZero)));
}

Operand round(CallContext&, Args args) {
  return Operand::of(
      number_result(round_decimal(num(args[0]), num(args[1]), Rounding::HalfAwayFromZero)));
}

Operand power(CallContext&, Args args) {
  const double x = num(args[0]);
  const double y = num(args[1]);
  if (x == 0 && y == 0) return Operand::of(ErrorCode::Num);
  if (x == 0 && y < 0) return Operand::of(ErrorCode::Div0);
  return Operand::of(number_result(std::pow(x, y)));
}

// Typed arguments are coerced ("1" and TRUE count); in cells and arrays only numbers count.
Operand sum(CallContext& call, Args args) {
  double total = 0;
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
        total += d;
      } else if (is_number(v)) {
        total += std::get<double>(v);
      }
      return true;
    });
    if (error) return Operand::of(*error);
  }
  return Operand::of(number_result(total));
}

Operand sum_if(CallContext& call, Args args) {
  const Criterion criterion(args[1].value);
  if (args[0].is_array()) {
    const Array& a = args[0].array;
    double total = 0;
    for (const Value& v : a.values) {
      if (criterion.matches(v) && is_number(v)) total += std::get<double>(v);
    }
    return Operand::of(number_result(total));
  }
  if (!args[0].is_area()) {
    return Operand::of(is_error(args[0].value) ? args[0].value : Value(ErrorCode::Value));
  }
  const Area& range = args[0].area;
  Area sums = range;
  if (args.size() > 2 && !args[2].missing) {
    if (!args[2].is_area()) return Operand::of(ErrorCode::Value);
    // The sum range takes the shape of the criteria range from its own top-left cell.
    sums.sheet = args[2].area.sheet;
    sums.range.first = args[2].area.range.first;
    sums.range.last = CellAddress{sums.range.first.row + range.range.rows() - 1,
                                  sums.range.first.column + range.range.columns() - 1};
    if (sums.range.last.row > kMaxRows || sums.range.last.column > kMaxColumns)
      return Operand::of(ErrorCode::Ref);
  }
  // A criterion that empty cells meet must also see the empty part of the criteria range, as
  // far as the sum range holds anything there.
  const bool empties_match = criterion.matches(Value());
  RangeAddress visit = call.used_part(range);
  if (empties_match) {
    const RangeAddress s = call.used_part(sums);
    visit.last.row =
        std::max(visit.last.row, s.last.row - sums.range.first.row + range.range.first.row);
    visit.last.column = std::max(
        visit.last.column, s.last.column - sums.range.first.column + range.range.first.column);
  }
  double total = 0;
  for (int r = visit.first.row; r <= visit.last.row; ++r) {
    for (int c = visit.first.column; c <= visit.last.column; ++c) {
      if (!criterion.matches(call.cell(range.sheet, r, c))) continue;
      const Value v = call.cell(sums.sheet, r - range.range.first.row + sums.range.first.row,
                                c - range.range.first.column + sums.range.first.column);
      if (is_error(v)) return Operand::of(v);
      if (is_number(v)) total += std::get<double>(v);
    }
  }
  return Operand::of(number_result(total));
}

Operand lcm(CallContext& call, Args args) {
  std::vector<double> values;
  if (auto e = integer_arguments(call, args, values)) return Operand::of(*e);
  double result = 1;
  for (double d : values) {
    if (d == 0) return Operand::of(0.0);
    const auto a = static_cast<unsigned long long>(result);
    const auto b = static_cast<unsigned long long>(d);
    result = static_cast<double>(a / std::gcd(a, b)) * d;
    if (result >= 9007199254740992.0) return Operand::of(ErrorCode::Num);
  }
  return Operand::of(Value(result));
}

Operand gcd(CallContext& call, Args args) {
  std::vector<double> values;
  if (auto e = integer_arguments(call, args, values)) return Operand::of(*e);
  unsigned long long result = 0;
  for (double d : values) result = std::gcd(result, static_cast<unsigned long long>(d));
  return Operand::of(Value(static_cast<double>(result)));
}

}  // namespace fb::sheet::formula::functions
