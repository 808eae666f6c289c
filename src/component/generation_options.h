#pragma once

#include <string_view>

namespace kivo2d {

// The diagram font of the editor's panel: " 仿宋", " 宋体", " 黑体".
enum class DiagramFont { kFangSong, kSong, kHei };
// The font size of the panel in the Chinese size names: "8 号字", "6 号字", "4 号字".
enum class DiagramSize { kNo8, kNo6, kNo4 };
// Where the problem head stands: " 左 侧" (the bones open to the right) or " 右 侧".
enum class HeadSide { kLeft, kRight };

// How far a picture laid over the fishbone in the report moves from its fixed place, in points
// (right and down positive): a layout fitting moves the auxiliary charts off the diagram's texts.
struct PictureShift {
  double dx = 0;
  double dy = 0;
  bool operator==(const PictureShift&) const = default;
};

// The editor panel's choices as generation applies them. The defaults are the settings the steps
// always had, so a run with them makes exactly the outputs the steps alone make.
struct GenerationOptions {
  DiagramFont font = DiagramFont::kFangSong;
  DiagramSize size = DiagramSize::kNo6;
  // UTF-16 units per label line before a cause caption wraps: 5, 8 or 10.
  int line_length = 8;
  HeadSide head = HeadSide::kLeft;
  bool pareto_chart = true;
  bool top_three_chart = true;
  // Not on the panel: set by a layout fitting, nothing by default.
  PictureShift pareto_shift;
  PictureShift top_three_shift;
  // The logo inside the fishbone chart, in the chart's points.
  PictureShift logo_shift;

  bool operator==(const GenerationOptions&) const = default;
};

// The face name the host knows the font by: "仿宋_GB2312", "宋体", "黑体".
std::string_view DiagramFontName(DiagramFont font);
// The size's points (8号 5 pt, 6号 7.5 pt, 4号 14 pt) over the default's: what every size of the
// diagram's texts is multiplied by. Exactly 1 for the default.
double DiagramSizeScale(DiagramSize size);

}  // namespace kivo2d
