#pragma once

#include <QCheckBox>

#include "platform/ui/controls.h"
#include "platform/ui/qt/forms/model_view.h"

namespace fb::ui::qt {

// A check box: the model's value shown (grayed as partly checked), the user's click written back
// as checked or unchecked.
class CheckBoxWidget final : public QCheckBox, public ModelView {
 public:
  CheckBoxWidget(CheckBox& model, QWidget* parent);
  CheckBoxWidget(const CheckBoxWidget&) = delete;
  CheckBoxWidget& operator=(const CheckBoxWidget&) = delete;

 private:
  void sync();
  CheckBox& model_;
};

}  // namespace fb::ui::qt
