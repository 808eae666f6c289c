#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/ui/controls.h"

namespace fb::ui::qt {

// What a window tells the widgets of its controls: its colour key (the pixels of that colour in
// pictures are clear) and the clock its animations run on.
struct WidgetContext {
  std::optional<std::uint32_t> colour_key;
  std::function<Animated::time_point()> now;
};

// The widget that draws a control model, made as a child of `parent`. Throws
// std::invalid_argument for a kind of control that has no drawing.
QWidget* make_control_widget(Control& control, const WidgetContext& context, QWidget* parent);

}  // namespace fb::ui::qt
