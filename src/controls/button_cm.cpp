#include "src/controls/button_cm.h"

namespace kivo2d {

const fb::ui::Picture* ButtonCm::current_picture() const {
  const auto pick = [](const std::optional<fb::ui::Picture>& first,
                       const std::optional<fb::ui::Picture>& fallback) {
    return first ? &*first : (fallback ? &*fallback : nullptr);
  };
  switch (look()) {
    case fb::ui::ButtonLook::kPressed:
      return pressed_picture_ ? &*pressed_picture_ : pick(hover_picture_, picture());
    case fb::ui::ButtonLook::kHover:
      return pick(hover_picture_, picture());
    case fb::ui::ButtonLook::kNormal:
    case fb::ui::ButtonLook::kDisabled:
      break;
  }
  return picture() ? &*picture() : nullptr;
}

fb::ui::ButtonLook ButtonCm::look() const {
  if (!enabled()) return fb::ui::ButtonLook::kDisabled;
  if ((mouse_pressed_ && hover_) || key_pressed_) return fb::ui::ButtonLook::kPressed;
  if (hover_) return fb::ui::ButtonLook::kHover;
  return fb::ui::ButtonLook::kNormal;
}

void ButtonCm::MouseEnter() {
  update(hover_, true);
}

void ButtonCm::MouseLeave() {
  update(hover_, false);
}

void ButtonCm::MouseDown(int button) {
  if (button != kLeftButton || !available()) return;
  update(hover_, true);
  update(mouse_pressed_, true);
  set_focus(true);
}

void ButtonCm::MouseMove(bool inside) {
  update(hover_, inside);
}

bool ButtonCm::MouseUp(int button, bool inside) {
  if (button != kLeftButton || !mouse_pressed_) return false;
  update(mouse_pressed_, false);
  update(hover_, inside);
  return inside && click();
}

bool ButtonCm::KeyDown(Key key) {
  if (!available()) return false;
  if (key == Key::kSpace) {
    update(key_pressed_, true);
    return false;
  }
  if (key == Key::kEscape) update(key_pressed_, false);
  // Enter presses the button that has the focus, as any push button takes it, or the default.
  if (key == Key::kEnter && (default_ || focus_)) return click();
  return false;
}

bool ButtonCm::KeyUp(Key key) {
  if (key != Key::kSpace || !key_pressed_) return false;
  update(key_pressed_, false);
  return click();
}

void ButtonCm::CancelPress() {
  update(mouse_pressed_, false);
  update(key_pressed_, false);
}

}  // namespace kivo2d
