#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/control.h"
#include "platform/ui/picture.h"

namespace fb::ui {

// How a push button looks at a moment.
enum class ButtonLook { kNormal, kHover, kPressed, kDisabled };
// Keys a push button answers to.
enum class ButtonKey { kSpace, kEnter, kEscape, kOther };

// A button that reacts to the user's input itself and is drawn by its look (the component's
// owner-drawn ButtonCm): the drawing layer feeds it the pointer and the keys and draws what it
// says. Those returning bool say whether they raised a click.
class Pressable {
 public:
  virtual ~Pressable() = default;
  virtual ButtonLook look() const = 0;
  // The picture for the current look; nullptr for a caption-only button.
  virtual const Picture* current_picture() const = 0;
  virtual bool is_default() const = 0;
  virtual bool has_focus() const = 0;
  virtual void set_focus(bool focus) = 0;
  virtual void MouseEnter() = 0;
  virtual void MouseLeave() = 0;
  virtual void MouseDown(int button) = 0;
  virtual void MouseMove(bool inside) = 0;
  virtual bool MouseUp(int button, bool inside) = 0;
  virtual bool KeyDown(ButtonKey key) = 0;
  virtual bool KeyUp(ButtonKey key) = 0;
  virtual void CancelPress() = 0;
};

// A picture that changes with time (the component's AniGIF): whoever draws it asks for the frame
// due now and when the next one is due.
class Animated {
 public:
  using time_point = std::chrono::steady_clock::time_point;
  virtual ~Animated() = default;
  virtual const Picture* current_frame() const = 0;
  virtual bool Tick(time_point now) = 0;
  virtual std::optional<std::chrono::milliseconds> TimeToNextFrame(time_point now) const = 0;
};

// A push button (the component's owner-drawn ButtonCm and plain command buttons): caption,
// optional picture, and a click handler.
class Button : public Control {
 public:
  explicit Button(std::string name = {}, std::string caption = {})
      : Control(std::move(name)), caption_(std::move(caption)) {}

  const std::string& caption() const { return caption_; }
  void set_caption(std::string caption) { update(caption_, std::move(caption)); }
  const std::optional<Picture>& picture() const { return picture_; }
  void set_picture(std::optional<Picture> picture) { update(picture_, std::move(picture)); }

  void set_on_click(std::function<void()> on_click) { on_click_ = std::move(on_click); }
  // A user's click: runs the handler when the button is enabled and visible; returns whether it
  // ran. (Tests may also call the window's handler method directly.)
  bool click() {
    if (!enabled() || !visible() || !on_click_) return false;
    on_click_();
    return true;
  }

 private:
  std::string caption_;
  std::optional<Picture> picture_;
  std::function<void()> on_click_;
};

class Label : public Control {
 public:
  explicit Label(std::string name = {}, std::string caption = {})
      : Control(std::move(name)), caption_(std::move(caption)) {}
  const std::string& caption() const { return caption_; }
  void set_caption(std::string caption) { update(caption_, std::move(caption)); }
  // Whether the label paints its back colour (BackStyle 1) or lets its container show through
  // (BackStyle 0, the default here: the windows' labels stand on their window's colour).
  bool opaque() const { return opaque_; }
  void set_opaque(bool opaque) { update(opaque_, opaque); }

 private:
  std::string caption_;
  bool opaque_ = false;
};

// A picture control (Image1, GoToWork ...): an optional picture and an optional click handler. One
// without a handler lets the clicks through to what lies under it.
class Image : public Control {
 public:
  explicit Image(std::string name = {}) : Control(std::move(name)) {}
  const std::optional<Picture>& picture() const { return picture_; }
  void set_picture(std::optional<Picture> picture) { update(picture_, std::move(picture)); }

  void set_on_click(std::function<void()> on_click) { on_click_ = std::move(on_click); }
  bool clickable() const { return static_cast<bool>(on_click_); }
  // A user's click: runs the handler when there is one and the control is enabled and visible.
  bool click() {
    if (!enabled() || !visible() || !on_click_) return false;
    on_click_();
    return true;
  }

 private:
  std::optional<Picture> picture_;
  std::function<void()> on_click_;
};

// A straight line (Line1): from the top-left corner of its bounds to the bottom-right one (a
// height of 0 is a horizontal rule), in its fore colour.
class Line : public Control {
 public:
  explicit Line(std::string name = {}) : Control(std::move(name)) {}
};

// A one-line text box. Selection positions count UTF-16 code units, as VB's SelStart and
// SelLength did; they are clipped to the text (never splitting a surrogate pair is the
// caller's business: see fb::os::splits_surrogate_pair).
class TextBox : public Control {
 public:
  explicit TextBox(std::string name = {}) : Control(std::move(name)) {}

  const std::string& text() const { return text_; }
  // Sets the text, puts the caret at the start with no selection, and runs the change handler
  // when the text differs (VB's Change event, e.g. Text1_Change).
  void set_text(std::string text);
  void set_on_text_change(std::function<void()> on_change) {
    on_text_change_ = std::move(on_change);
  }

  int sel_start() const { return sel_start_; }
  int sel_length() const { return sel_length_; }
  void set_selection(int start, int length);
  // The selected text (SelText), as UTF-8.
  std::string selected_text() const;

 private:
  std::string text_;
  int sel_start_ = 0;
  int sel_length_ = 0;
  std::function<void()> on_text_change_;
};

// A frame or panel (Frame1 ... Frame6, Picture1): caption and visibility.
class Frame : public Control {
 public:
  explicit Frame(std::string name = {}, std::string caption = {})
      : Control(std::move(name)), caption_(std::move(caption)) {}
  const std::string& caption() const { return caption_; }
  void set_caption(std::string caption) { update(caption_, std::move(caption)); }

 private:
  std::string caption_;
};

// A check box: value 0 unchecked, 1 checked, 2 grayed (vbUnchecked, vbChecked, vbGrayed).
class CheckBox : public Control {
 public:
  static constexpr int kUnchecked = 0;
  static constexpr int kChecked = 1;
  static constexpr int kGrayed = 2;

  explicit CheckBox(std::string name = {}, std::string caption = {})
      : Control(std::move(name)), caption_(std::move(caption)) {}
  const std::string& caption() const { return caption_; }
  void set_caption(std::string caption) { update(caption_, std::move(caption)); }
  int value() const { return value_; }
  void set_value(int value) { update(value_, value); }

 private:
  std::string caption_;
  int value_ = kUnchecked;
};

// A group of option buttons forming one control array (Option1(0), Option1(1) ...): members are
// addressed by 0-based index, and at most one is selected (exactly one once any was selected).
class OptionGroup : public Control {
 public:
  explicit OptionGroup(std::string name = {}) : Control(std::move(name)) {}

  // Appends a member and returns its index.
  int add(std::string caption);
  int count() const { return static_cast<int>(captions_.size()); }
  // Throws std::out_of_range for a bad index.
  const std::string& caption(int index) const;
  // The member's Value.
  bool value(int index) const;
  // Setting a member's Value to true clears the others; to false clears only it.
  void set_value(int index, bool value);
  void select(int index) { set_value(index, true); }
  // Index of the selected member, or -1.
  int selected() const { return selected_; }

 private:
  void check_index(int index) const;
  std::vector<std::string> captions_;
  int selected_ = -1;
};

}  // namespace fb::ui
