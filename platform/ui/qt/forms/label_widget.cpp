#include "platform/ui/qt/forms/label_widget.h"

#include <QPainter>

#include "platform/ui/qt/forms/model_to_qt.h"

namespace fb::ui::qt {
namespace {
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
}  // namespace

LabelWidget::LabelWidget(Label& model, QWidget* parent)
    : QWidget(parent), ModelView(model, [this] { sync(); }), model_(model) {
  setObjectName(QString::fromStdString(model.name()));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  sync();
}

void LabelWidget::sync() {
  sync_control(*this, model_);
  // The desktop's stand-in fonts are taller than the ones the window was laid out for: a
  // one-line label keeps its whole line rather than losing the bottom of its letters.
  const int needed = fontMetrics()
                         .boundingRect(QRect(0, 0, width(), 4 * height() + 100), kTextFlags,
                                       QString::fromStdString(model_.caption()))
                         .height();
  if (height() < needed) resize(width(), needed);
  update();
}

void LabelWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  if (model_.opaque()) painter.fillRect(rect(), to_qcolor(model_.back_color()));
  painter.setPen(model_.enabled() ? to_qcolor(model_.fore_color())
                                  : palette().color(QPalette::Disabled, QPalette::WindowText));
  painter.setFont(font());
  painter.drawText(rect(), kTextFlags, QString::fromStdString(model_.caption()));
}

}  // namespace fb::ui::qt
