#include "platform/ui/qt/forms/control_widget_factory.h"

#include <stdexcept>
#include <string>

#include "platform/ui/qt/forms/animation_widget.h"
#include "platform/ui/qt/forms/button_widget.h"
#include "platform/ui/qt/forms/check_box_widget.h"
#include "platform/ui/qt/forms/frame_widget.h"
#include "platform/ui/qt/forms/image_widget.h"
#include "platform/ui/qt/forms/label_widget.h"
#include "platform/ui/qt/forms/line_widget.h"
#include "platform/ui/qt/forms/option_group_widget.h"
#include "platform/ui/qt/forms/text_box_widget.h"
#include "platform/ui/qt/forms/tree_view_widget.h"
#include "platform/ui/tree_view.h"

namespace fb::ui::qt {

QWidget* make_control_widget(Control& control, const WidgetContext& context, QWidget* parent) {
  if (auto* animated = dynamic_cast<Animated*>(&control)) {
    return new AnimationWidget(control, *animated, context.colour_key, context.now, parent);
  }
  if (auto* tree = dynamic_cast<TreeView*>(&control)) return new TreeViewWidget(*tree, parent);
  if (auto* button = dynamic_cast<Button*>(&control)) return new ButtonWidget(*button, parent);
  if (auto* label = dynamic_cast<Label*>(&control)) return new LabelWidget(*label, parent);
  if (auto* image = dynamic_cast<Image*>(&control)) {
    return new ImageWidget(*image, context.colour_key, parent);
  }
  if (auto* line = dynamic_cast<Line*>(&control)) return new LineWidget(*line, parent);
  if (auto* text = dynamic_cast<TextBox*>(&control)) return new TextBoxWidget(*text, parent);
  if (auto* frame = dynamic_cast<Frame*>(&control)) return new FrameWidget(*frame, parent);
  if (auto* check = dynamic_cast<CheckBox*>(&control)) return new CheckBoxWidget(*check, parent);
  if (auto* group = dynamic_cast<OptionGroup*>(&control)) {
    return new OptionGroupWidget(*group, parent);
  }
  throw std::invalid_argument("the control \"" + control.name() +
                              "\" is of a kind that has no drawing on the desktop");
}

}  // namespace fb::ui::qt
