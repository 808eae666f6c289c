#pragma once

#include <string_view>

namespace kivo2d {

// The WordArt title of the report, with the misspelling the form has always carried.
inline constexpr std::string_view kReportTitle = "鱼 骨 图  Cause & Effect / Fishbone Digram";

}  // namespace kivo2d
