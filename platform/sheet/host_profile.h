#pragma once

#include <string_view>

namespace fb::sheet {

// What the host's version text says about the program it stands for. The component and the
// engine branch on these two versions only: "11.0" (the older host: 65536 rows, every new
// object numbered by one counter, the macro menus of its own) and "12.0" (the newer one). Any
// other text is neither, so a test for "is 11.0" and a test for "is 12.0" both fail on it; the
// steps rely on that asymmetry, and so must every caller.
enum class HostProfile { V11, V12, Other };

inline constexpr std::string_view kV11VersionText = "11.0";
inline constexpr std::string_view kV12VersionText = "12.0";

// The one place a version text is read.
constexpr HostProfile host_profile_of(std::string_view version) {
  if (version == kV11VersionText) return HostProfile::V11;
  if (version == kV12VersionText) return HostProfile::V12;
  return HostProfile::Other;
}

}  // namespace fb::sheet
