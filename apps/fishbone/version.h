#pragma once

#include <string>

#include "src/addin/version.h"

// The program's version is the component's: App.Major, App.Minor and App.Revision.

namespace fishbone {

inline constexpr int kVersionMajor = kivo2d::kComponentVersion.major;
inline constexpr int kVersionMinor = kivo2d::kComponentVersion.minor;
inline constexpr int kVersionRevision = kivo2d::kComponentVersion.revision;

inline std::string VersionText() {
  return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
         std::to_string(kVersionRevision);
}

}  // namespace fishbone
