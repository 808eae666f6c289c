#include "src/addin/button_event.h"

#include <string>

#include "src/addin/component_windows.h"
#include "src/component/component.h"

namespace kivo2d {

void ButtonEvent::set_xlAppButton(std::shared_ptr<fb::office::CommandBarControl> button) {
  connection_.disconnect();
  button_ = std::move(button);
  if (button_) {
    connection_ = button_->on_click([this](fb::office::CommandBarControl& ctrl, bool& cancel) {
      xlAppButton_Click(ctrl, cancel);
    });
  }
}

void ButtonEvent::xlAppButton_Click(fb::office::CommandBarControl& Ctrl, bool& /*CancelDefault*/) {
  // A copy: the windows opened below change the bar's controls while the dispatch still reads it.
  // NOLINTNEXTLINE(performance-unnecessary-copy-initialization)
  const std::string parameter = Ctrl.parameter();
  if (parameter == kAddFishboneParameter) {
    Windows(component_).work().show(fb::ui::ShowMode::kModeless);
  } else if (parameter == kAboutFishboneParameter) {
    ComponentWindows& windows = Windows(component_);
    if (component_.forms().is_form_shown("Work")) {
      windows.work().set_window_state(fb::ui::WindowState::kMinimized);
    }
    windows.hello().load();
    windows.hello().Label1.set_caption(kAboutFishboneParameter);
    windows.hello().show(fb::ui::ShowMode::kModeless);
  }
}

void ButtonEventCol::Add(std::shared_ptr<fb::office::CommandBarControl> xlAppButton) {
  auto event = std::make_unique<ButtonEvent>(component_);
  event->set_xlAppButton(std::move(xlAppButton));
  events_.push_back(std::move(event));
}

}  // namespace kivo2d
