#include "platform/ui/qt/forms/form_window.h"

#include <QCloseEvent>
#include <QEvent>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <stdexcept>

#include "platform/ui/qt/forms/animation_widget.h"
#include "platform/ui/qt/forms/image_widget.h"
#include "platform/ui/qt/forms/model_to_qt.h"

namespace fb::ui::qt {

FormWindow::FormWindow(Form& form, WidgetContext context, QWidget* owner)
    : QWidget(owner, Qt::Window),
      ModelView(form, [this] { sync(); }),
      form_(form),
      context_(std::move(context)) {
  setObjectName(QString::fromStdString(form.name()));
  context_.colour_key = form.transparent_color();
  for (const Form::Placement& placement : form.controls()) {
    QWidget* parent = this;
    if (placement.container != nullptr) {
      parent = widget_for(*placement.container);
      if (parent == nullptr) {
        throw std::invalid_argument("the control \"" + placement.control->name() + "\" lies in \"" +
                                    placement.container->name() +
                                    "\", which the window lists after it or not at all");
      }
    }
    widgets_[placement.control] = make_control_widget(*placement.control, context_, parent);
  }
  sync();
}

void FormWindow::detach() {
  if (!attached_) return;
  attached_ = false;
  form_.set_on_change({});
  forget_model();
  for (const Form::Placement& placement : form_.controls()) {
    placement.control->set_on_change({});
    if (auto* view = dynamic_cast<ModelView*>(widget_for(*placement.control))) {
      view->forget_model();
    }
  }
}

QWidget* FormWindow::widget_for(const Control& control) const {
  const auto found = widgets_.find(&control);
  return found == widgets_.end() ? nullptr : found->second;
}

Qt::WindowFlags FormWindow::flags() const {
  Qt::WindowFlags flags = Qt::Window;
  if (form_.border_style() == BorderStyle::kNone) {
    flags |= Qt::FramelessWindowHint;
  } else {
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
             Qt::WindowMinimizeButtonHint;
    if (!form_.close_command_removed()) flags |= Qt::WindowCloseButtonHint;
  }
  if (form_.top_most()) flags |= Qt::WindowStaysOnTopHint;
  return flags;
}

void FormWindow::sync() {
  setWindowTitle(QString::fromStdString(form_.caption()));
  if (form_.icon()) {
    setWindowIcon(QIcon(QPixmap::fromImage(to_qimage(*form_.icon()))));
  }
  const QRect client = to_pixels(form_.bounds());
  setFixedSize(client.size());
  background_ = form_.picture() ? to_qimage(*form_.picture(), context_.colour_key) : QImage();
  setWindowOpacity(form_.opacity() ? *form_.opacity() / 255.0 : 1.0);
  if (form_.transparent_color() != context_.colour_key || !keyed_once_) {
    // A form sets its key as it loads, after its window was made: the pictures follow it.
    keyed_once_ = true;
    context_.colour_key = form_.transparent_color();
    setAttribute(Qt::WA_TranslucentBackground, context_.colour_key.has_value());
    for (const auto& [control, widget] : widgets_) {
      if (auto* image = dynamic_cast<ImageWidget*>(widget))
        image->set_colour_key(context_.colour_key);
      if (auto* animation = dynamic_cast<AnimationWidget*>(widget)) {
        animation->set_colour_key(context_.colour_key);
      }
    }
  }
  setFont(to_qfont(form_.font()));
  QPalette colours = palette();
  colours.setColor(QPalette::Window, to_qcolor(form_.back_color()));
  setPalette(colours);
  const Qt::WindowFlags wanted = flags();
  if (windowFlags() != wanted) {
    // Changing the flags takes a window off the screen; it comes back as it was.
    const bool shown = isVisible();
    setWindowFlags(wanted);
    if (shown) show();
  }
  update();
}

void FormWindow::apply_window_state() {
  if (!isVisible() || following_window_manager_) return;
  applying_state_ = true;
  if (form_.window_state() == WindowState::kMinimized) {
    showMinimized();
  } else {
    showNormal();
    raise();
    activateWindow();
  }
  applying_state_ = false;
}

void FormWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange || !attached_ || applying_state_) return;
  following_window_manager_ = true;
  form_.set_window_state(isMinimized() ? WindowState::kMinimized : WindowState::kNormal);
  following_window_manager_ = false;
}

void FormWindow::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const bool keyed_out = context_.colour_key && *context_.colour_key == form_.back_color();
  if (!keyed_out) painter.fillRect(rect(), to_qcolor(form_.back_color()));
  if (!background_.isNull()) painter.drawImage(0, 0, background_);
}

void FormWindow::closeEvent(QCloseEvent* event) {
  // The window manager's close (its title-bar button, Alt+F4) is the form's Close command: a form
  // that removed it stays; another unloads, which takes this window down.
  event->ignore();
  if (!attached_ || form_.close_command_removed()) return;
  form_.unload();
}

}  // namespace fb::ui::qt
