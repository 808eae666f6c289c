#pragma once

#include <QButtonGroup>
#include <QWidget>
#include <vector>

#include "platform/ui/controls.h"
#include "platform/ui/qt/forms/model_view.h"

class QRadioButton;

namespace fb::ui::qt {

// A control array of option buttons: the members side by side in equal columns of the group's
// bounds, the selected one checked; the user's choice selects that member in the model.
class OptionGroupWidget final : public QWidget, public ModelView {
 public:
  OptionGroupWidget(OptionGroup& model, QWidget* parent);
  OptionGroupWidget(const OptionGroupWidget&) = delete;
  OptionGroupWidget& operator=(const OptionGroupWidget&) = delete;

  // The member's button (0-based), for tests and screenshots.
  QRadioButton* button(int index) const;

 private:
  void sync();
  void rebuild();

  OptionGroup& model_;
  QButtonGroup group_;
  std::vector<QRadioButton*> buttons_;
};

}  // namespace fb::ui::qt
