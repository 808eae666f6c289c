#pragma once

#include <QWidget>
#include <map>

#include "platform/ui/form.h"
#include "platform/ui/qt/forms/control_widget_factory.h"
#include "platform/ui/qt/forms/model_view.h"

namespace fb::ui::qt {

// One of the component's windows on the desktop, drawn from its form model: the caption and the
// icon, a client area of the form's size that the user cannot resize, the back colour and the
// background picture, a title bar or none as the border style says, no close button when the
// form removed its Close command, top-most, the layered opacity and colour key (the key's pixels
// are clear, so only the rest of the window shows), and a widget for each listed control inside
// the widget of its container, later ones over earlier ones.
class FormWindow final : public QWidget, public ModelView {
 public:
  FormWindow(Form& form, WidgetContext context, QWidget* owner);
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  Form& form() const { return form_; }
  // The widget drawing a control of the form, or nullptr.
  QWidget* widget_for(const Control& control) const;
  template <typename Widget>
  Widget* widget_as(const Control& control) const {
    return dynamic_cast<Widget*>(widget_for(control));
  }

  // Stops drawing the models: no model calls back into this window or its widgets after this,
  // and none is touched when they go, so the window can be deleted later, after the form was
  // loaded again into a new window or is gone.
  void detach();
  bool attached() const { return attached_; }
  // Minimised or restored as the model's window state says; a restored window comes to the
  // front, active.
  void apply_window_state();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // The window manager's minimise and restore (its buttons, the taskbar) reach the model too, so
  // that its next minimise is one.
  void changeEvent(QEvent* event) override;

 private:
  void sync();
  Qt::WindowFlags flags() const;

  Form& form_;
  WidgetContext context_;
  std::map<const Control*, QWidget*> widgets_;
  QImage background_;
  bool attached_ = true;
  bool keyed_once_ = false;
  bool applying_state_ = false;            // the model's state being shown
  bool following_window_manager_ = false;  // the window manager's state being taken
};

}  // namespace fb::ui::qt
