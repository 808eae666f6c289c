#pragma once

#include "platform/ui/controls.h"
#include "src/component/generation_options.h"

namespace kivo2d {

// The settings panel Frame1 of the editor: five captioned groups of choices, which the generation
// command hands to the run.
struct WorkSettings {
  WorkSettings();

  // Selects the defaults: " 仿宋", "6 号字", " 8 个", " 左 侧", both charts, no fitting.
  void ResetDefaults();

  // The current choices as generation applies them.
  GenerationOptions Choices() const;
  // Selects the members that stand for `options`, as a user clicking them would. Throws
  // std::invalid_argument for a line length the panel does not offer.
  void Select(const GenerationOptions& options);

  fb::ui::Frame Frame1{"Frame1"};  // borderless, no caption: the whole panel
  fb::ui::Frame Frame2{"Frame2", " 字体设置: "};
  fb::ui::OptionGroup Option1{"Option1"};  // font
  fb::ui::Frame Frame3{"Frame3", " 字体大小: "};
  fb::ui::OptionGroup Option2{"Option2"};  // font size
  fb::ui::Frame Frame4{"Frame4", " 换行字符: "};
  fb::ui::OptionGroup Option3{"Option3"};  // characters per line
  fb::ui::Frame Frame5{"Frame5", " 鱼骨图方向: "};
  fb::ui::OptionGroup Option4{"Option4"};  // side of the diagram
  fb::ui::Frame Frame6{"Frame6", " 辅助图表 "};
  fb::ui::CheckBox Check1{"Check1", " 主原因帕累托排列图"};
  fb::ui::CheckBox Check2{"Check2", " 第2层原因最多前三项"};
  // Off by default: on, the generation tries the panel's sizes and line lengths and keeps the
  // layout whose texts overlap least (when the host can lay a tree out on the side).
  fb::ui::CheckBox Check3{"Check3", " 自动适配 "};

  bool AutoFit() const { return Check3.value() == fb::ui::CheckBox::kChecked; }

  // Where a layout fitting before the run put the auxiliary charts' pictures and the logo; no
  // control shows them, a fresh panel has none.
  PictureShift pareto_shift;
  PictureShift top_three_shift;
  PictureShift logo_shift;
};

}  // namespace kivo2d
