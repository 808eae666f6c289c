#include "platform/sheet/formula/function_table.h"

#include <array>

#include "platform/sheet/formula/coercion.h"
#include "platform/sheet/formula/functions/functions.h"

namespace fb::sheet::formula {

namespace {

namespace fn = functions;
using K = ArgKind;

constexpr ArgKind kNumbers[] = {K::Number};
constexpr ArgKind kStrictNumbers[] = {K::NumberNoBool};
constexpr ArgKind kTexts[] = {K::Text};
constexpr ArgKind kTextNumbers[] = {K::Text, K::Number};
constexpr ArgKind kLogicals[] = {K::Logical};
constexpr ArgKind kScalars[] = {K::Scalar};
constexpr ArgKind kAnys[] = {K::Any};
constexpr ArgKind kAnyNumbers[] = {K::Any, K::Number};
constexpr ArgKind kIf[] = {K::Logical, K::Any};
constexpr ArgKind kRangeCriterion[] = {K::Any, K::Scalar, K::Any};
constexpr ArgKind kMatch[] = {K::Scalar, K::Any, K::Number};
constexpr ArgKind kOffset[] = {K::Reference, K::Number};
constexpr ArgKind kIndirect[] = {K::Text, K::Logical};
constexpr ArgKind kReferences[] = {K::Reference};

// Ordered as FunctionId.
constexpr std::array<FunctionInfo, static_cast<std::size_t>(FunctionId::Count_)> kFunctions{{
    {"IF", 2, 3, kIf, false, nullptr},
    {"AND", 1, kVariadic, kAnys, false, fn::and_},
    {"OR", 1, kVariadic, kAnys, false, fn::or_},
    {"NOT", 1, 1, kLogicals, false, fn::not_},
    {"ISNA", 1, 1, kScalars, false, fn::is_na},
    {"ISERROR", 1, 1, kScalars, false, fn::is_error},
    {"ISEVEN", 1, 1, kStrictNumbers, false, fn::is_even},
    {"ISODD", 1, 1, kStrictNumbers, false, fn::is_odd},
    {"CONCATENATE", 1, kVariadic, kTexts, false, fn::concatenate},
    {"LEN", 1, 1, kTexts, false, fn::len},
    {"MID", 3, 3, kTextNumbers, false, fn::mid},
    {"LEFT", 1, 2, kTextNumbers, false, fn::left},
    {"RIGHT", 1, 2, kTextNumbers, false, fn::right},
    {"VALUE", 1, 1, kScalars, false, fn::value},
    {"CHAR", 1, 1, kNumbers, false, fn::char_},
    {"ABS", 1, 1, kNumbers, false, fn::abs},
    {"ROUNDUP", 2, 2, kNumbers, false, fn::round_up},
    {"ROUND", 2, 2, kNumbers, false, fn::round},
    {"POWER", 2, 2, kNumbers, false, fn::power},
    {"SUM", 1, kVariadic, kAnys, false, fn::sum},
    {"SUMIF", 2, 3, kRangeCriterion, false, fn::sum_if},
    {"COUNT", 1, kVariadic, kAnys, false, fn::count},
    {"COUNTA", 1, kVariadic, kAnys, false, fn::count_a},
    {"COUNTIF", 2, 2, kRangeCriterion, false, fn::count_if},
    {"MAX", 1, kVariadic, kAnys, false, fn::max},
    {"MIN", 1, kVariadic, kAnys, false, fn::min},
    {"LARGE", 2, 2, kAnyNumbers, false, fn::large},
    {"LCM", 1, kVariadic, kAnys, false, fn::lcm},
    {"GCD", 1, kVariadic, kAnys, false, fn::gcd},
    {"INDEX", 2, 3, kAnyNumbers, false, fn::index},
    {"MATCH", 2, 3, kMatch, false, fn::match},
    {"OFFSET", 3, 5, kOffset, true, fn::offset},
    {"INDIRECT", 1, 2, kIndirect, true, fn::indirect},
    {"ROW", 0, 1, kReferences, false, fn::row},
    {"COLUMN", 0, 1, kReferences, false, fn::column},
}};

}  // namespace

const FunctionInfo& function_info(FunctionId id) {
  return kFunctions[static_cast<std::size_t>(id)];
}

std::optional<FunctionId> find_function(std::string_view name) {
  for (std::size_t i = 0; i < kFunctions.size(); ++i) {
    if (equal_text_ci(kFunctions[i].name, name)) return static_cast<FunctionId>(i);
  }
  return std::nullopt;
}

ArgKind arg_kind(const FunctionInfo& info, std::size_t index) {
  return index < info.arg_kinds.size() ? info.arg_kinds[index] : info.arg_kinds.back();
}

}  // namespace fb::sheet::formula
