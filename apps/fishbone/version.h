#pragma once

#include <string>

// The component's version, as the original's App.Major, App.Minor and App.Revision: 2.5.<revision>.
// The numbers live here, in the command-line host, until the add-in folder has a version header
// of its own (src/addin/version.h); then this file includes that one and the numbers move there.

namespace fishbone {

inline constexpr int kVersionMajor = 2;
inline constexpr int kVersionMinor = 5;
inline constexpr int kVersionRevision = 0;

inline std::string VersionText() {
  return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
         std::to_string(kVersionRevision);
}

}  // namespace fishbone
