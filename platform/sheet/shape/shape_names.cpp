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

// The newer profile makes a text effect as a rectangle holding styled text, and names it so.
constexpr std::array<NameRule, 5> kRules = {{
    {ShapeKind::Chart, "图表 ", "图表 ", false},
    {ShapeKind::Picture, "图片 ", "Picture ", true},
    {ShapeKind::TextBox, "Text ", "TextBox ", false},
    {ShapeKind::WordArt, "WordArt ", "矩形 ", false},
    {ShapeKind::Group, "组合 ", "组合 ", false},
}};

}  // namespace

std::string default_shape_name(ShapeKind kind, HostProfile profile, int shape_number,
                               int picture_number) {
  for (const NameRule& rule : kRules) {
    if (rule.kind != kind) continue;
    if (profile == HostProfile::V11) {
      return rule.legacy_prefix + std::to_string(shape_number);
    }
    return rule.current_prefix +
           std::to_string(rule.current_counts_own_kind ? picture_number : shape_number);
  }
  return "Shape " + std::to_string(shape_number);
}

}  // namespace fb::sheet
