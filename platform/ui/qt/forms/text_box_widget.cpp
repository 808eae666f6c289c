#include "platform/ui/qt/forms/text_box_widget.h"

#include "platform/ui/qt/forms/model_to_qt.h"

namespace fb::ui::qt {

TextBoxWidget::TextBoxWidget(TextBox& model, QWidget* parent)
    : QLineEdit(parent), ModelView(model, [this] { sync(); }), model_(model) {
  setObjectName(QString::fromStdString(model.name()));
  setDragEnabled(true);
  QObject::connect(this, &QLineEdit::textEdited, this,
                   [this](const QString& text) { take_text(text); });
  QObject::connect(this, &QLineEdit::selectionChanged, this, [this] { take_selection(); });
  QObject::connect(this, &QLineEdit::cursorPositionChanged, this, [this] { take_selection(); });
  sync();
}

void TextBoxWidget::sync() {
  sync_control(*this, model_);
  // While the user's edit is being written to the model, the widget already shows it.
  if (writing_model_) return;
  const QString text = QString::fromStdString(model_.text());
  if (this->text() != text) setText(text);
  // Positions count UTF-16 code units in both.
  const bool selected = hasSelectedText();
  const int start = selected ? selectionStart() : cursorPosition();
  const int length = selected ? static_cast<int>(selectedText().size()) : 0;
  if (start != model_.sel_start() || length != model_.sel_length()) {
    if (model_.sel_length() > 0) {
      setSelection(model_.sel_start(), model_.sel_length());
    } else {
      setCursorPosition(model_.sel_start());
    }
  }
}

void TextBoxWidget::take_text(const QString& text) {
  writing_model_ = true;
  model_.set_text(text.toStdString());
  writing_model_ = false;
  take_selection();
}

void TextBoxWidget::take_selection() {
  if (writing_model_) return;
  writing_model_ = true;
  if (hasSelectedText()) {
    model_.set_selection(selectionStart(), static_cast<int>(selectedText().size()));
  } else {
    model_.set_selection(cursorPosition(), 0);
  }
  writing_model_ = false;
}

}  // namespace fb::ui::qt
