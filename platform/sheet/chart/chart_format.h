#pragma once

#include <optional>
#include <string>

#include "platform/sheet/cell_format.h"
#include "platform/sheet/chart/chart_enums.h"
#include "platform/sheet/enums.h"

namespace fb::sheet {

// The line style a chart element's border takes. 0 is what the component writes for "no border"
// on a chart area; the host draws nothing for it, as for None.
enum class ChartLineStyle { None = -4142, NoLine = 0, Continuous = 1, Dash = -4115, Dot = -4118 };

// Border of a chart element (axis line, gridlines, series line, plot or chart area).
struct ChartBorder {
  int color_index = kColorIndexAutomatic;
  BorderWeight weight = BorderWeight::Hairline;
  ChartLineStyle line_style = ChartLineStyle::Continuous;
  bool drawn() const {
    return line_style != ChartLineStyle::None && line_style != ChartLineStyle::NoLine;
  }
  friend bool operator==(const ChartBorder&, const ChartBorder&) = default;
};

// Font of a chart element or a drawing object's text.
struct ChartFont {
  std::string name = "Arial";
  double size = 10;
  bool bold = false;
  int color_index = kColorIndexAutomatic;
  friend bool operator==(const ChartFont&, const ChartFont&) = default;
};

// A colour as fill and line formats take it: a scheme colour, or an RGB value.
struct ColourChoice {
  enum class Kind { Automatic, Scheme, Rgb } kind = Kind::Automatic;
  int scheme = 0;
  std::uint8_t r = 0, g = 0, b = 0;
  static ColourChoice from_scheme(int index) { return {Kind::Scheme, index, 0, 0, 0}; }
  static ColourChoice from_rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return {Kind::Rgb, 0, red, green, blue};
  }
  friend bool operator==(const ColourChoice&, const ColourChoice&) = default;
};

// Fill of a chart element or drawing object, as its Fill property sets it. Which of the settings
// count follows `type`: a solid fill uses the fore colour, a pattern both colours, a two-colour
// gradient both colours with its style and variant.
struct FillFormat {
  enum class Type { Automatic, Solid, Patterned, TwoColourGradient } type = Type::Automatic;
  bool visible = true;
  ColourChoice fore;
  ColourChoice back;
  std::optional<OfficePattern> pattern;
  GradientStyle gradient_style = GradientStyle::Horizontal;
  int gradient_variant = 1;
  double transparency = 0;

  void set_patterned(OfficePattern p) {
    type = Type::Patterned;
    pattern = p;
  }
  void set_solid() { type = Type::Solid; }
  void set_two_colour_gradient(GradientStyle style, int variant) {
    type = Type::TwoColourGradient;
    gradient_style = style;
    gradient_variant = variant;
  }
  friend bool operator==(const FillFormat&, const FillFormat&) = default;
};

// Line of a drawing object (its outline).
struct ShapeLineFormat {
  bool visible = true;
  ColourChoice fore;
  double weight = 0.75;
  friend bool operator==(const ShapeLineFormat&, const ShapeLineFormat&) = default;
};

}  // namespace fb::sheet
