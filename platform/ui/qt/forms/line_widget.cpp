#include "platform/ui/qt/forms/line_widget.h"

#include <QPainter>
#include <algorithm>

#include "platform/ui/qt/forms/model_to_qt.h"

namespace fb::ui::qt {

LineWidget::LineWidget(Line& model, QWidget* parent)
    : QWidget(parent), ModelView(model, [this] { sync(); }), model_(model) {
  setObjectName(QString::fromStdString(model.name()));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  sync();
}

void LineWidget::sync() {
  sync_control(*this, model_);
  update();
}

void LineWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setPen(QPen(to_qcolor(model_.fore_color()), 1));
  // The widget is at least a pixel each way; the line ends at the last pixel of the bounds.
  const int right = std::max(0, to_pixels(model_.bounds().width) - 1);
  const int bottom = std::max(0, to_pixels(model_.bounds().height) - 1);
  painter.drawLine(0, 0, right, bottom);
}

}  // namespace fb::ui::qt
