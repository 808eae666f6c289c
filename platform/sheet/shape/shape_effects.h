#pragma once

namespace fb::sheet {

// Shape.Shadow. A preset type turns the shadow on; the offsets move it from where the preset
// puts it, in points (positive: right and down).
struct ShadowFormat {
  bool visible = false;
  int type = 0;  // 0: none chosen; 1 to 20 the host's presets
  double offset_x = 0;
  double offset_y = 0;
  void set_type(int preset) {
    type = preset;
    visible = true;
  }
  void increment_offset_x(double points) { offset_x += points; }
  void increment_offset_y(double points) { offset_y += points; }
  friend bool operator==(const ShadowFormat&, const ShadowFormat&) = default;
};

}  // namespace fb::sheet
