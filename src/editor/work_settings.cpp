#include "src/editor/work_settings.h"

namespace kivo2d {

WorkSettings::WorkSettings() {
  // Frame1 lies at (7080, 1400) in Picture1 and covers the notes picture; the groups stack inside.
  Frame1.set_bounds({7080, 1400, 2950, 3900});
  Frame2.set_bounds({0, 0, 2950, 720});
  Frame3.set_bounds({0, 780, 2950, 720});
  Frame4.set_bounds({0, 1560, 2950, 720});
  Frame5.set_bounds({0, 2340, 2950, 720});
  Frame6.set_bounds({0, 3120, 2950, 780});
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
}

}  // namespace kivo2d
