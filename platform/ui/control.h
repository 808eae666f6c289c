#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace fb::ui {

// Position and size of a control in twips (1/1440 inch; 15 twips are one pixel at 96 dpi),
// relative to its container.
struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Bounds&, const Bounds&) = default;
};

struct Font {
  std::string name = "Tahoma";
  double size = 8.25;  // points
  bool bold = false;
  friend bool operator==(const Font&, const Font&) = default;
};

// An RGB colour as VB's RGB(r, g, b) gives it: r + 256 * g + 65536 * b.
constexpr std::uint32_t rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
         (static_cast<std::uint32_t>(b) << 16);
}

// What every control model has: a name as the window names it (TreeView1, ButtonCm1, Text1 ...),
// enabled and visible states, bounds, font and colours, and one change callback that a drawing
// layer sets to learn that the model changed (the models never need it themselves).
class Control {
 public:
  explicit Control(std::string name = {}) : name_(std::move(name)) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return name_; }

  bool enabled() const { return enabled_; }
  void set_enabled(bool enabled) { update(enabled_, enabled); }
  bool visible() const { return visible_; }
  void set_visible(bool visible) { update(visible_, visible); }

  const Bounds& bounds() const { return bounds_; }
  void set_bounds(const Bounds& bounds) { update(bounds_, bounds); }

  const Font& font() const { return font_; }
  void set_font(const Font& font) { update(font_, font); }
  std::uint32_t fore_color() const { return fore_color_; }
  void set_fore_color(std::uint32_t colour) { update(fore_color_, colour); }
  std::uint32_t back_color() const { return back_color_; }
  void set_back_color(std::uint32_t colour) { update(back_color_, colour); }
  // The text shown while the pointer rests on the control (ToolTipText); empty: none.
  const std::string& tooltip() const { return tooltip_; }
  void set_tooltip(std::string tooltip) { update(tooltip_, std::move(tooltip)); }

  // Called after every change of the model (any property, any node).
  void set_on_change(std::function<void()> on_change) { on_change_ = std::move(on_change); }

 protected:
  void changed() const {
    if (on_change_) on_change_();
  }
  template <typename T>
  void update(T& field, T value) {
    if (field == value) return;
    field = std::move(value);
    changed();
  }

 private:
  std::string name_;
  bool enabled_ = true;
  bool visible_ = true;
  Bounds bounds_;
  Font font_;
  std::uint32_t fore_color_ = rgb(0, 0, 0);
  std::uint32_t back_color_ = rgb(255, 255, 255);
  std::string tooltip_;
  std::function<void()> on_change_;
};

}  // namespace fb::ui
