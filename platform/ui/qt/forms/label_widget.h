#pragma once

#include <QWidget>

#include "platform/ui/controls.h"
#include "platform/ui/qt/forms/model_view.h"

namespace fb::ui::qt {

// A label: its caption in its font and fore colour from the top-left, wrapped at words, on its
// back colour when opaque, else on whatever lies under it. Clicks pass through to what is below.
class LabelWidget final : public QWidget, public ModelView {
 public:
  LabelWidget(Label& model, QWidget* parent);
  LabelWidget(const LabelWidget&) = delete;
  LabelWidget& operator=(const LabelWidget&) = delete;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void sync();
  Label& model_;
};

}  // namespace fb::ui::qt
