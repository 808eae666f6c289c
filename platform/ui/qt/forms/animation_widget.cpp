#include "platform/ui/qt/forms/animation_widget.h"

#include <QPainter>
#include <algorithm>

#include "platform/ui/qt/forms/image_widget.h"
#include "platform/ui/qt/forms/model_to_qt.h"

namespace fb::ui::qt {

AnimationWidget::AnimationWidget(Control& model, Animated& animated,
                                 std::optional<std::uint32_t> colour_key, Now now, QWidget* parent)
    : QWidget(parent),
      ModelView(model, [this] { sync(); }),
      model_(model),
      animated_(animated),
      colour_key_(colour_key),
      now_(std::move(now)) {
  setObjectName(QString::fromStdString(model.name()));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
  sync();
}

void AnimationWidget::sync() {
  sync_control(*this, model_);
  // The model composes each frame in one canvas, so the frame is taken afresh at every change.
  const Picture* frame = animated_.current_frame();
  image_ = frame != nullptr ? to_qimage(*frame, colour_key_) : QImage();
  update();
  schedule();
}

void AnimationWidget::schedule() {
  const std::optional<std::chrono::milliseconds> wait = animated_.TimeToNextFrame(now_());
  if (!wait) {
    timer_.stop();
    return;
  }
  timer_.start(static_cast<int>(std::max<std::chrono::milliseconds::rep>(1, wait->count())));
}

void AnimationWidget::tick() {
  if (!isVisible()) return;
  // A frame change comes back through the model's change callback (sync), which schedules the
  // next; otherwise the wait starts again from now.
  if (!animated_.Tick(now_())) schedule();
}

void AnimationWidget::set_colour_key(std::optional<std::uint32_t> colour_key) {
  if (colour_key_ == colour_key) return;
  colour_key_ = colour_key;
  sync();
}

void AnimationWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  draw_picture_in(painter, image_, rect());
}

void AnimationWidget::showEvent(QShowEvent* event) {
  schedule();
  QWidget::showEvent(event);
}

}  // namespace fb::ui::qt
