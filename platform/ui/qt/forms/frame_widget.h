#pragma once

#include <QWidget>

#include "platform/ui/controls.h"
#include "platform/ui/qt/forms/model_view.h"

namespace fb::ui::qt {

// A panel or a frame: its back colour, and with a caption the desktop style's group box around
// its controls with the caption in its top edge. The controls inside it are its child widgets,
// so hiding the frame hides them.
class FrameWidget final : public QWidget, public ModelView {
 public:
  FrameWidget(Frame& model, QWidget* parent);
  FrameWidget(const FrameWidget&) = delete;
  FrameWidget& operator=(const FrameWidget&) = delete;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void sync();
  Frame& model_;
};

}  // namespace fb::ui::qt
