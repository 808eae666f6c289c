#include "platform/sheet/shape/shape_names.h"

#include <array>

namespace fb::sheet {
namespace {

struct NameRule {
  ShapeKind kind;
  const char* legacy_prefix;
  const char* current_prefix;
  bool current_counts_own_kind;
};

constexpr std::array<NameRule, 3> kRules = {{
    {ShapeKind::Chart, "图表 ", "图表 ", false},
    {ShapeKind::Picture, "图片 ", "Picture ", true},
    {ShapeKind::TextBox, "Text ", "TextBox ", false},
}};

}  // namespace

VersionProfile profile_of(std::string_view version) {
  return version == "11.0" ? VersionProfile::Legacy : VersionProfile::Current;
}

std::string default_shape_name(ShapeKind kind, VersionProfile profile, int shape_number,
                               int picture_number) {
  for (const NameRule& rule : kRules) {
    if (rule.kind != kind) continue;
    if (profile == VersionProfile::Legacy) {
      return rule.legacy_prefix + std::to_string(shape_number);
    }
    return rule.current_prefix +
           std::to_string(rule.current_counts_own_kind ? picture_number : shape_number);
  }
  return "Shape " + std::to_string(shape_number);
}

}  // namespace fb::sheet
