#include "src/component/generation_options.h"

namespace kivo2d {
namespace {

double Points(DiagramSize size) {
  switch (size) {
    case DiagramSize::kNo8:
      return 5.0;
    case DiagramSize::kNo4:
      return 14.0;
    case DiagramSize::kNo6:
      break;
  }
  return 7.5;
}

}  // namespace

std::string_view DiagramFontName(DiagramFont font) {
  switch (font) {
    case DiagramFont::kSong:
      return "宋体";
    case DiagramFont::kHei:
      return "黑体";
    case DiagramFont::kFangSong:
      break;
  }
  return "仿宋_GB2312";
}

double DiagramSizeScale(DiagramSize size) {
  return Points(size) / Points(DiagramSize::kNo6);
}

}  // namespace kivo2d
