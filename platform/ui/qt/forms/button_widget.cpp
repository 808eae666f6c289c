#include "platform/ui/qt/forms/button_widget.h"

#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "platform/ui/qt/forms/model_to_qt.h"

namespace fb::ui::qt {
namespace {

ButtonKey KeyOf(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Space:
      return ButtonKey::kSpace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return ButtonKey::kEnter;
    case Qt::Key_Escape:
      return ButtonKey::kEscape;
    default:
      return ButtonKey::kOther;
  }
}

}  // namespace

ButtonWidget::ButtonWidget(Button& model, QWidget* parent)
    : QWidget(parent),
      ModelView(model, [this] { sync(); }),
      model_(model),
      pressable_(dynamic_cast<Pressable*>(&model)) {
  setObjectName(QString::fromStdString(model.name()));
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_Hover);
  setMouseTracking(true);
  sync();
}

void ButtonWidget::sync() {
  sync_control(*this, model_);
  update();
}

ButtonLook ButtonWidget::look() const {
  if (pressable_ != nullptr) return pressable_->look();
  if (!model_.enabled()) return ButtonLook::kDisabled;
  if (plain_pressed_ && underMouse()) return ButtonLook::kPressed;
  return underMouse() ? ButtonLook::kHover : ButtonLook::kNormal;
}

void ButtonWidget::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter painter(this);
  const ButtonLook current = look();
  QStyleOptionButton option;
  option.initFrom(this);
  option.state &= ~(QStyle::State_MouseOver | QStyle::State_Sunken | QStyle::State_HasFocus);
  option.state |= QStyle::State_Raised;
  switch (current) {
    case ButtonLook::kHover:
      option.state |= QStyle::State_MouseOver;
      break;
    case ButtonLook::kPressed:
      option.state |= QStyle::State_Sunken | QStyle::State_MouseOver;
      option.state &= ~QStyle::State_Raised;
      break;
    case ButtonLook::kDisabled:
      option.state &= ~QStyle::State_Enabled;
      break;
    case ButtonLook::kNormal:
      break;
  }
  const bool has_focus = pressable_ != nullptr ? pressable_->has_focus() : hasFocus();
  if (has_focus) option.state |= QStyle::State_HasFocus;
  const bool is_default = pressable_ != nullptr && pressable_->is_default();
  if (is_default) option.features |= QStyleOptionButton::DefaultButton;

  const Picture* picture = pressable_ != nullptr
                               ? pressable_->current_picture()
                               : (model_.picture() ? &*model_.picture() : nullptr);
  QPixmap pixmap;
  if (picture != nullptr && !picture->empty()) {
    pixmap = QPixmap::fromImage(to_qimage(*picture));
    if (current == ButtonLook::kDisabled) {
      pixmap = QIcon(pixmap).pixmap(pixmap.size(), QIcon::Disabled);
    }
  }
  option.text = QString::fromStdString(model_.caption());
  if (!pixmap.isNull() && !option.text.isEmpty()) {
    option.icon = QIcon(pixmap);
    option.iconSize = pixmap.size();
  }
  painter.drawControl(QStyle::CE_PushButton, option);
  if (!pixmap.isNull() && option.text.isEmpty()) {
    // The face: centred, one pixel down and right while pressed, as the caption would move.
    QRect target(QPoint(0, 0), pixmap.size()
                                   .scaled(rect().size() - QSize(4, 4), Qt::KeepAspectRatio)
                                   .boundedTo(pixmap.size()));
    target.moveCenter(rect().center());
    if (current == ButtonLook::kPressed) target.translate(1, 1);
    painter.drawPixmap(target, pixmap);
  }
}

void ButtonWidget::enterEvent(QEnterEvent* event) {
  if (pressable_ != nullptr) pressable_->MouseEnter();
  update();
  QWidget::enterEvent(event);
}

void ButtonWidget::leaveEvent(QEvent* event) {
  if (pressable_ != nullptr) pressable_->MouseLeave();
  update();
  QWidget::leaveEvent(event);
}

void ButtonWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  setFocus(Qt::MouseFocusReason);
  if (pressable_ != nullptr) {
    pressable_->MouseDown(1);
  } else {
    plain_pressed_ = true;
  }
  update();
}

void ButtonWidget::mouseMoveEvent(QMouseEvent* event) {
  if ((event->buttons() & Qt::LeftButton) != 0 && pressable_ != nullptr) {
    pressable_->MouseMove(rect().contains(event->position().toPoint()));
  }
  update();
}

void ButtonWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  const bool inside = rect().contains(event->position().toPoint());
  update();
  // The click may unload the window: nothing of this widget is touched after it.
  if (pressable_ != nullptr) {
    pressable_->MouseUp(1, inside);
    return;
  }
  const bool was_pressed = plain_pressed_;
  plain_pressed_ = false;
  if (was_pressed && inside) model_.click();
}

void ButtonWidget::keyPressEvent(QKeyEvent* event) {
  const ButtonKey key = KeyOf(*event);
  if (event->isAutoRepeat() || key == ButtonKey::kOther) return QWidget::keyPressEvent(event);
  if (pressable_ != nullptr) {
    pressable_->KeyDown(key);
  } else if (key == ButtonKey::kEnter) {
    model_.click();
    return;
  }
  update();
}

void ButtonWidget::keyReleaseEvent(QKeyEvent* event) {
  const ButtonKey key = KeyOf(*event);
  if (event->isAutoRepeat() || key == ButtonKey::kOther) return QWidget::keyReleaseEvent(event);
  update();
  if (pressable_ != nullptr) {
    pressable_->KeyUp(key);
  } else if (key == ButtonKey::kSpace) {
    model_.click();
  }
}

void ButtonWidget::focusInEvent(QFocusEvent* event) {
  if (pressable_ != nullptr) pressable_->set_focus(true);
  QWidget::focusInEvent(event);
}

void ButtonWidget::focusOutEvent(QFocusEvent* event) {
  if (pressable_ != nullptr) {
    pressable_->CancelPress();
    pressable_->set_focus(false);
  }
  plain_pressed_ = false;
  QWidget::focusOutEvent(event);
}

}  // namespace fb::ui::qt
