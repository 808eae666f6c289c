#include "platform/ui/qt/forms/frame_widget.h"

#include <QStyleOptionGroupBox>
#include <QStylePainter>

#include "platform/ui/qt/forms/model_to_qt.h"

namespace fb::ui::qt {

FrameWidget::FrameWidget(Frame& model, QWidget* parent)
    : QWidget(parent), ModelView(model, [this] { sync(); }), model_(model) {
  setObjectName(QString::fromStdString(model.name()));
  sync();
}

void FrameWidget::sync() {
  sync_control(*this, model_);
  update();
}

void FrameWidget::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter painter(this);
  painter.fillRect(rect(), to_qcolor(model_.back_color()));
  if (model_.caption().empty()) return;
  QStyleOptionGroupBox option;
  option.initFrom(this);
  option.text = QString::fromStdString(model_.caption());
  option.textAlignment = Qt::AlignLeft;
  option.textColor = to_qcolor(model_.fore_color());
  option.lineWidth = 1;
  option.midLineWidth = 0;
  option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
  option.activeSubControls = QStyle::SC_None;
  painter.drawComplexControl(QStyle::CC_GroupBox, option);
}

}  // namespace fb::ui::qt
