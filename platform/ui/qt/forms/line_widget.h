#pragma once

#include <QWidget>

#include "platform/ui/controls.h"
#include "platform/ui/qt/forms/model_view.h"

namespace fb::ui::qt {

// A straight line from the top-left corner of its bounds to the bottom-right one, one pixel wide
// in its fore colour (a bounds height of 0 is a horizontal rule).
class LineWidget final : public QWidget, public ModelView {
 public:
  LineWidget(Line& model, QWidget* parent);
  LineWidget(const LineWidget&) = delete;
  LineWidget& operator=(const LineWidget&) = delete;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void sync();
  Line& model_;
};

}  // namespace fb::ui::qt
