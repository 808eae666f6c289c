#pragma once

#include <optional>
#include <string>

#include "platform/ui/controls.h"
#include "platform/ui/picture.h"

namespace kivo2d {

// The component's owner-drawn push button: a caption, optional pictures for the normal, hover and
// pressed looks, a tooltip (the control's), and the push-button behaviour that the drawing layer
// feeds with real input. A click is raised when the left button is released over the button it was
// pressed on, by Space (pressed on key down, clicked on key up) and by Enter when the button is the
// window's default. A disabled or hidden button raises nothing.
class ButtonCm : public fb::ui::Button, public fb::ui::Pressable {
 public:
  static constexpr int kLeftButton = 1;
  using Key = fb::ui::ButtonKey;

  explicit ButtonCm(std::string name = {}, std::string caption = {})
      : Button(std::move(name), std::move(caption)) {}

  // The normal picture is Button::picture(); hover and pressed fall back to it.
  const std::optional<fb::ui::Picture>& hover_picture() const { return hover_picture_; }
  void set_hover_picture(std::optional<fb::ui::Picture> picture) {
    update(hover_picture_, std::move(picture));
  }
  const std::optional<fb::ui::Picture>& pressed_picture() const { return pressed_picture_; }
  void set_pressed_picture(std::optional<fb::ui::Picture> picture) {
    update(pressed_picture_, std::move(picture));
  }
  // The picture to draw in the current state (the normal one when disabled: the drawing greys it);
  // nullptr for a caption-only button.
  const fb::ui::Picture* current_picture() const override;

  bool is_default() const override { return default_; }
  void set_default(bool is_default) { update(default_, is_default); }
  bool has_focus() const override { return focus_; }
  void set_focus(bool focus) override { update(focus_, focus); }

  fb::ui::ButtonLook look() const override;

  // Input, as the drawing layer sees it. Those returning bool say whether they raised a click.
  void MouseEnter() override;
  void MouseLeave() override;
  void MouseDown(int button) override;
  // The pointer moved while a button is held: whether it is over the button decides between the
  // pressed and the normal look, as a real push button shows it.
  void MouseMove(bool inside) override;
  bool MouseUp(int button, bool inside) override;
  bool KeyDown(Key key) override;
  bool KeyUp(Key key) override;
  // The window lost the focus or the pointer capture: a half-made click is forgotten.
  void CancelPress() override;

 private:
  bool available() const { return enabled() && visible(); }

  std::optional<fb::ui::Picture> hover_picture_;
  std::optional<fb::ui::Picture> pressed_picture_;
  bool default_ = false;
  bool focus_ = false;
  bool hover_ = false;
  bool mouse_pressed_ = false;
  bool key_pressed_ = false;
};

}  // namespace kivo2d
