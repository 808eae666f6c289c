#pragma once

#include <QImage>
#include <QWidget>

#include "platform/ui/controls.h"
#include "platform/ui/qt/forms/model_view.h"

namespace fb::ui::qt {

// A push button drawn from its model in the desktop style's button look. An owner-drawn button
// (one that is also Pressable, the component's ButtonCm) is fed the real pointer and keys and
// drawn in the look it reports (hover, pressed, default, focus, disabled) with the picture of
// that look; a plain button clicks on a release over it. A picture without a caption is the
// button's face, centred; with a caption it stands before the caption as an icon.
class ButtonWidget final : public QWidget, public ModelView {
 public:
  ButtonWidget(Button& model, QWidget* parent);
  ButtonWidget(const ButtonWidget&) = delete;
  ButtonWidget& operator=(const ButtonWidget&) = delete;

  Button& model() const { return model_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void sync();
  ButtonLook look() const;

  Button& model_;
  Pressable* pressable_;
  bool plain_pressed_ = false;  // a plain button's press, which it remembers itself
};

}  // namespace fb::ui::qt
