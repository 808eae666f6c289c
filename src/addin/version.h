#pragma once

#include "src/windows/hello.h"

namespace kivo2d {

// The component's version, shown by the About window.
inline constexpr ComponentVersion kComponentVersion{2, 5, 31};

}  // namespace kivo2d
