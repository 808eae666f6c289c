#include "platform/ui/form.h"

#include <algorithm>

namespace fb::ui {

Form::Form(FormRegistry& registry, std::string name, std::string caption)
    : Control(std::move(name)), registry_(registry), caption_(std::move(caption)) {
  set_visible(false);
}

Form::~Form() {
  if (loaded_) registry_.remove(*this);
}

void Form::set_window_state(WindowState state) {
  if (window_state_ == state) return;
  window_state_ = state;
  changed();
  registry_.notify(*this, FormEvent::kStateChanged);
}

void Form::load() {
  if (loaded_) return;
  loaded_ = true;
  registry_.add(*this);
  registry_.notify(*this, FormEvent::kLoaded);
  on_load();
}

void Form::show(ShowMode mode) {
  load();
  if (!loaded_) return;  // on_load unloaded the form again
  shown_modal_ = mode == ShowMode::kModal;
  set_visible(true);
  registry_.notify(*this, FormEvent::kShown);
  activate();
  if (shown_modal_ && loaded_ && visible() && registry_.modal_loop_) registry_.modal_loop_(*this);
}

void Form::hide() {
  if (!visible()) return;
  set_visible(false);
  registry_.notify(*this, FormEvent::kHidden);
}

void Form::activate() {
  if (!loaded_ || !visible()) return;
  registry_.notify(*this, FormEvent::kActivated);
  on_activate();
}

void Form::unload() {
  if (!loaded_) return;
  on_unload();
  set_visible(false);
  loaded_ = false;
  shown_modal_ = false;
  registry_.remove(*this);
  registry_.notify(*this, FormEvent::kUnloaded);
}

Form* FormRegistry::find(std::string_view name) const {
  for (Form* form : loaded_) {
    if (form->name() == name) return form;
  }
  return nullptr;
}

bool FormRegistry::is_form_shown(std::string_view name) const {
  const Form* form = find(name);
  return form != nullptr && form->visible();
}

void FormRegistry::add(Form& form) {
  if (std::find(loaded_.begin(), loaded_.end(), &form) == loaded_.end()) loaded_.push_back(&form);
}

void FormRegistry::remove(Form& form) {
  loaded_.erase(std::remove(loaded_.begin(), loaded_.end(), &form), loaded_.end());
}

const Form::Placement* Form::placement(const Control& control) const {
  for (const Placement& placement : controls_) {
    if (placement.control == &control) return &placement;
  }
  return nullptr;
}

}  // namespace fb::ui
