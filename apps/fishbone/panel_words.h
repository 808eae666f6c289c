#pragma once

#include <array>
#include <string_view>
#include <utility>

#include "src/component/generation_options.h"

namespace fishbone {

// The words the command line gives the settings panel's choices (--font, --size, --wrap, --head):
// one table a choice, read by the flags and written back by --fit and the layout report.
template <typename Value, std::size_t N>
using PanelWords = std::array<std::pair<std::string_view, Value>, N>;

inline constexpr PanelWords<kivo2d::DiagramFont, 3> kFontWords{{
    {"fangsong", kivo2d::DiagramFont::kFangSong},
    {"song", kivo2d::DiagramFont::kSong},
    {"hei", kivo2d::DiagramFont::kHei},
}};
inline constexpr PanelWords<kivo2d::DiagramSize, 3> kSizeWords{{
    {"8", kivo2d::DiagramSize::kNo8},
    {"6", kivo2d::DiagramSize::kNo6},
    {"4", kivo2d::DiagramSize::kNo4},
}};
inline constexpr PanelWords<int, 3> kWrapWords{{{"5", 5}, {"8", 8}, {"10", 10}}};
inline constexpr PanelWords<kivo2d::HeadSide, 2> kHeadWords{{
    {"left", kivo2d::HeadSide::kLeft},
    {"right", kivo2d::HeadSide::kRight},
}};

// The word of a value; the table's first word for a value it lacks (none of the panel's).
template <typename Value, std::size_t N>
constexpr std::string_view WordOf(const PanelWords<Value, N>& words, Value value) {
  for (const auto& [word, of] : words) {
    if (of == value) return word;
  }
  return words.front().first;
}

}  // namespace fishbone
