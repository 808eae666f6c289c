#pragma once

#include <array>
#include <string_view>
#include <utility>

#include "src/component/generation_options.h"

namespace kivo2d {

// The words for the settings panel's choices (font, size, wrap, head): one table a choice, read
// by the command line's flags, written back by its --fit and layout report, and kept in a
// report's analysis.
template <typename Value, std::size_t N>
using PanelWords = std::array<std::pair<std::string_view, Value>, N>;

inline constexpr PanelWords<DiagramFont, 3> kFontWords{{
    {"fangsong", DiagramFont::kFangSong},
    {"song", DiagramFont::kSong},
    {"hei", DiagramFont::kHei},
}};
inline constexpr PanelWords<DiagramSize, 3> kSizeWords{{
    {"8", DiagramSize::kNo8},
    {"6", DiagramSize::kNo6},
    {"4", DiagramSize::kNo4},
}};
inline constexpr PanelWords<int, 3> kWrapWords{{{"5", 5}, {"8", 8}, {"10", 10}}};
inline constexpr PanelWords<HeadSide, 2> kHeadWords{{
    {"left", HeadSide::kLeft},
    {"right", HeadSide::kRight},
}};

// The word of a value; the table's first word for a value it lacks (none of the panel's).
template <typename Value, std::size_t N>
constexpr std::string_view WordOf(const PanelWords<Value, N>& words, Value value) {
  for (const auto& [word, of] : words) {
    if (of == value) return word;
  }
  return words.front().first;
}

}  // namespace kivo2d
