#pragma once

#include <string_view>

namespace kivo2d {

// The maker's web site, linked from the report's Y2 and its logo; the text Y2 shows. The About
// window's contact page lies on the same site.
inline constexpr std::string_view kMakerWebAddress = "https://kivo2.example/";
inline constexpr std::string_view kMakerDomain = "kivo2.example";

}  // namespace kivo2d
