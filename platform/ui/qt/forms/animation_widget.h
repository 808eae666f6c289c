#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/ui/controls.h"
#include "platform/ui/qt/forms/model_view.h"

namespace fb::ui::qt {

// An animated picture (the component's AniGIF): shows the frame its model holds, scaled down to
// fit when the control is smaller, and ticks the model on a timer set to the next frame's due
// time, so it plays while the event loop runs; a host that pumps messages during a long task
// ticks it too (tick()), so the frames move on with the host's clock then.
class AnimationWidget final : public QWidget, public ModelView {
 public:
  using Now = std::function<Animated::time_point()>;
  AnimationWidget(Control& model, Animated& animated, std::optional<std::uint32_t> colour_key,
                  Now now, QWidget* parent);
  AnimationWidget(const AnimationWidget&) = delete;
  AnimationWidget& operator=(const AnimationWidget&) = delete;

  // Shows the frame due now, when the widget is seen.
  void tick();
  // The window's colour key changed: the frames are keyed anew.
  void set_colour_key(std::optional<std::uint32_t> colour_key);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void sync();
  void schedule();

  Control& model_;
  Animated& animated_;
  std::optional<std::uint32_t> colour_key_;
  Now now_;
  QTimer timer_;
  QImage image_;
};

}  // namespace fb::ui::qt
