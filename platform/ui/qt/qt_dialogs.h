#pragma once

#include <functional>
#include <string_view>

#include "platform/ui/dialogs.h"

class QWidget;

namespace fb::ui::qt {

// The component's message boxes as real Qt message boxes: the title, the text (its carriage
// returns as line breaks), the icon, the buttons and the default button the style asks for;
// the answer is the VB value of the button pressed (closing the box answers Cancel when the box
// has one, else its only or default button).
class QtDialogs final : public Dialogs {
 public:
  // Shows a help topic; until a help window is set, help requests fail (the component reports
  // the failure to the user).
  using HelpViewer =
      std::function<void(std::string_view help_file, std::string_view topic, const Form* owner)>;

  explicit QtDialogs(std::function<QWidget*()> parent = {}) : parent_(std::move(parent)) {}

  int message_box(std::string_view prompt, int style, std::string_view title) override;
  void show_help(std::string_view help_file, std::string_view topic, const Form* owner) override;

  void set_help_viewer(HelpViewer viewer) { help_viewer_ = std::move(viewer); }

 private:
  std::function<QWidget*()> parent_;
  HelpViewer help_viewer_;
};

}  // namespace fb::ui::qt
