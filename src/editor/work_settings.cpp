#include "src/editor/work_settings.h"

#include <stdexcept>
#include <string>

namespace kivo2d {
namespace {

// The members of each group, by index, as the panel lays them out left to right.
constexpr DiagramFont kFonts[] = {DiagramFont::kFangSong, DiagramFont::kSong, DiagramFont::kHei};
constexpr DiagramSize kSizes[] = {DiagramSize::kNo8, DiagramSize::kNo6, DiagramSize::kNo4};
constexpr int kLineLengths[] = {5, 8, 10};
constexpr HeadSide kSides[] = {HeadSide::kRight, HeadSide::kLeft};

template <typename T, std::size_t N>
int IndexOf(const T (&members)[N], T value) {
  for (std::size_t i = 0; i < N; ++i) {
    if (members[i] == value) return static_cast<int>(i);
  }
  return -1;
}

// The member a group stands on; a group with nothing selected (which the panel never shows)
// counts as its default.
template <typename T, std::size_t N>
T Chosen(const fb::ui::OptionGroup& group, const T (&members)[N], T fallback) {
  const int index = group.selected();
  if (index < 0 || static_cast<std::size_t>(index) >= N) return fallback;
  return members[index];
}

}  // namespace

WorkSettings::WorkSettings() {
  // Frame1 lies at (7080, 1400) in Picture1 and covers the notes picture; the groups stack inside.
  Frame1.set_bounds({7080, 1400, 2950, 3900});
  Frame2.set_bounds({0, 0, 2950, 680});
  Frame3.set_bounds({0, 720, 2950, 680});
  Frame4.set_bounds({0, 1440, 2950, 680});
  Frame5.set_bounds({0, 2160, 2950, 680});
  Frame6.set_bounds({0, 2880, 2950, 1020});
  // Each group's buttons stand left to right on one line under its frame's caption.
  for (fb::ui::OptionGroup* group : {&Option1, &Option2, &Option3, &Option4}) {
    group->set_bounds({120, 290, 2710, 330});
  }
  Check1.set_bounds({120, 250, 2710, 240});
  Check2.set_bounds({120, 500, 2710, 240});
  Check3.set_bounds({120, 750, 2710, 240});
  for (const char* caption : {" 仿宋", " 宋体", " 黑体"}) Option1.add(caption);
  for (const char* caption : {"8 号字", "6 号字", "4 号字"}) Option2.add(caption);
  for (const char* caption : {" 5 个", " 8 个", " 10 个"}) Option3.add(caption);
  for (const char* caption : {" 右 侧", " 左 侧"}) Option4.add(caption);
  ResetDefaults();
}

void WorkSettings::ResetDefaults() {
  Frame1.set_visible(false);
  Option1.select(0);
  Option2.select(1);
  Option3.select(1);
  Option4.select(1);
  Check1.set_value(fb::ui::CheckBox::kChecked);
  Check2.set_value(fb::ui::CheckBox::kChecked);
  Check3.set_value(fb::ui::CheckBox::kUnchecked);
  pareto_shift = {};
  top_three_shift = {};
  logo_shift = {};
}

GenerationOptions WorkSettings::Choices() const {
  const GenerationOptions defaults;
  GenerationOptions options;
  options.font = Chosen(Option1, kFonts, defaults.font);
  options.size = Chosen(Option2, kSizes, defaults.size);
  options.line_length = Chosen(Option3, kLineLengths, defaults.line_length);
  options.head = Chosen(Option4, kSides, defaults.head);
  options.pareto_chart = Check1.value() == fb::ui::CheckBox::kChecked;
  options.top_three_chart = Check2.value() == fb::ui::CheckBox::kChecked;
  options.pareto_shift = pareto_shift;
  options.top_three_shift = top_three_shift;
  options.logo_shift = logo_shift;
  return options;
}

void WorkSettings::Select(const GenerationOptions& options) {
  const int line = IndexOf(kLineLengths, options.line_length);
  if (line < 0) {
    throw std::invalid_argument("no line length of " + std::to_string(options.line_length) +
                                " characters in the settings panel (5, 8 or 10)");
  }
  Option1.select(IndexOf(kFonts, options.font));
  Option2.select(IndexOf(kSizes, options.size));
  Option3.select(line);
  Option4.select(IndexOf(kSides, options.head));
  Check1.set_value(options.pareto_chart ? fb::ui::CheckBox::kChecked
                                        : fb::ui::CheckBox::kUnchecked);
  Check2.set_value(options.top_three_chart ? fb::ui::CheckBox::kChecked
                                           : fb::ui::CheckBox::kUnchecked);
  pareto_shift = options.pareto_shift;
  top_three_shift = options.top_three_shift;
  logo_shift = options.logo_shift;
}

}  // namespace kivo2d
