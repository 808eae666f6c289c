#include "platform/ui/qt/forms/option_group_widget.h"

#include <QRadioButton>

#include "platform/ui/qt/forms/model_to_qt.h"

namespace fb::ui::qt {

OptionGroupWidget::OptionGroupWidget(OptionGroup& model, QWidget* parent)
    : QWidget(parent), ModelView(model, [this] { sync(); }), model_(model) {
  setObjectName(QString::fromStdString(model.name()));
  setAutoFillBackground(true);
  group_.setExclusive(true);
  QObject::connect(&group_, &QButtonGroup::idClicked, this, [this](int id) { model_.select(id); });
  sync();
}

QRadioButton* OptionGroupWidget::button(int index) const {
  if (index < 0 || index >= static_cast<int>(buttons_.size())) return nullptr;
  return buttons_[static_cast<std::size_t>(index)];
}

void OptionGroupWidget::rebuild() {
  for (QRadioButton* old : buttons_) {
    group_.removeButton(old);
    delete old;
  }
  buttons_.clear();
  for (int i = 0; i < model_.count(); ++i) {
    auto* member = new QRadioButton(this);
    member->setObjectName(QString::fromStdString(model_.name() + "(" + std::to_string(i) + ")"));
    group_.addButton(member, i);
    buttons_.push_back(member);
    member->show();
  }
}

void OptionGroupWidget::sync() {
  sync_control(*this, model_);
  if (static_cast<int>(buttons_.size()) != model_.count()) rebuild();
  QPalette colours = palette();
  colours.setColor(QPalette::Window, to_qcolor(model_.back_color()));
  colours.setColor(QPalette::WindowText, to_qcolor(model_.fore_color()));
  setPalette(colours);
  const int count = std::max(1, model_.count());
  const int column = width() / count;
  for (int i = 0; i < model_.count(); ++i) {
    QRadioButton* member = buttons_[static_cast<std::size_t>(i)];
    member->setText(QString::fromStdString(model_.caption(i)));
    member->setGeometry(i * column, 0, column, height());
    if (member->isChecked() != model_.value(i)) member->setChecked(model_.value(i));
  }
  // A group with nothing selected shows every member clear.
  if (model_.selected() < 0 && group_.checkedButton() != nullptr) {
    group_.setExclusive(false);
    group_.checkedButton()->setChecked(false);
    group_.setExclusive(true);
  }
}

}  // namespace fb::ui::qt
