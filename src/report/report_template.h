#pragma once

#include <cstdint>
#include <string_view>

namespace kivo2d {

// Where the report step writes the template and where it opens it, each after the WinDir value.
// Both spellings name the same file: Windows paths ignore letter case.
inline constexpr std::string_view kTemplateWritePath = "\\temp\\Fishbone Diagram Report.xlt";
inline constexpr std::string_view kTemplateOpenPath = "\\Temp\\Fishbone Diagram Report.xlt";

// The length of the template resource, passed to SaveResourceToFile as its byte count. The
// writer does not look the length up itself, so this must change whenever the template does.
inline constexpr std::int32_t kReportTemplateByteCount = 6656;

}  // namespace kivo2d
