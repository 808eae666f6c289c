#pragma once

#include <QLineEdit>

#include "platform/ui/controls.h"
#include "platform/ui/qt/forms/model_view.h"

namespace fb::ui::qt {

// A one-line text box: the user's typing becomes the model's text (raising its change event),
// the caret and the selection become the model's selection, and a change of the model shows.
// Its selected text can be dragged out as plain text, as the editor's causes are.
class TextBoxWidget final : public QLineEdit, public ModelView {
 public:
  TextBoxWidget(TextBox& model, QWidget* parent);
  TextBoxWidget(const TextBoxWidget&) = delete;
  TextBoxWidget& operator=(const TextBoxWidget&) = delete;

 private:
  void sync();
  void take_text(const QString& text);
  void take_selection();

  TextBox& model_;
  bool writing_model_ = false;
};

}  // namespace fb::ui::qt
