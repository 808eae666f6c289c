#include "platform/ui/qt/forms/check_box_widget.h"

#include "platform/ui/qt/forms/model_to_qt.h"

namespace fb::ui::qt {

CheckBoxWidget::CheckBoxWidget(CheckBox& model, QWidget* parent)
    : QCheckBox(parent), ModelView(model, [this] { sync(); }), model_(model) {
  setObjectName(QString::fromStdString(model.name()));
  setAutoFillBackground(true);
  QObject::connect(this, &QCheckBox::clicked, this, [this](bool checked) {
    model_.set_value(checked ? CheckBox::kChecked : CheckBox::kUnchecked);
  });
  sync();
}

void CheckBoxWidget::sync() {
  sync_control(*this, model_);
  setText(QString::fromStdString(model_.caption()));
  QPalette colours = palette();
  colours.setColor(QPalette::Window, to_qcolor(model_.back_color()));
  colours.setColor(QPalette::WindowText, to_qcolor(model_.fore_color()));
  setPalette(colours);
  const Qt::CheckState state = model_.value() == CheckBox::kChecked  ? Qt::Checked
                               : model_.value() == CheckBox::kGrayed ? Qt::PartiallyChecked
                                                                     : Qt::Unchecked;
  setTristate(state == Qt::PartiallyChecked);
  if (checkState() != state) setCheckState(state);
}

}  // namespace fb::ui::qt
