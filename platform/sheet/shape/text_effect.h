#pragma once

#include <string>

namespace fb::sheet {

// What Shapes.AddTextEffect makes a shape show: one line of text in a preset style.
struct TextEffect {
  int preset = 0;  // the first preset style is 0
  std::string text;
  std::string font_name;
  double font_size = 0;
  bool bold = false;
  bool italic = false;
  friend bool operator==(const TextEffect&, const TextEffect&) = default;
};

// Presets run from the first (0) to the thirtieth (29).
inline constexpr int kLastTextEffectPreset = 29;

struct ShapeSize {
  double width = 0;
  double height = 0;
};

// The box the host gives a new text effect: the advance of its text at its size (the Latin
// letters with the widths of the common sans-serif faces, every East Asian character one em),
// one line high. Bold widens the text a little, as the heavier face does.
ShapeSize text_effect_size(const TextEffect& effect);

}  // namespace fb::sheet
