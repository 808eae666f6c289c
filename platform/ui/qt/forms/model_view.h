#pragma once

#include <functional>
#include <utility>

#include "platform/ui/control.h"

namespace fb::ui::qt {

// The link from a drawing to the control model it draws: while linked, every change of the model
// calls the drawing back; the link is cut when the drawing goes. A window that is taken down
// (its form unloaded) cuts its models' callbacks itself and then tells its widgets to forget
// the models, so a widget deleted later never touches a model that another window now draws, or
// that is gone.
class ModelView {
 public:
  ModelView(Control& model, std::function<void()> on_change) : linked_(&model) {
    model.set_on_change(std::move(on_change));
  }
  virtual ~ModelView() {
    if (linked_ != nullptr) linked_->set_on_change({});
  }
  ModelView(const ModelView&) = delete;
  ModelView& operator=(const ModelView&) = delete;

  void forget_model() { linked_ = nullptr; }

 private:
  Control* linked_;
};

}  // namespace fb::ui::qt
