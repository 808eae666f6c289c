#pragma once

#include <string>

namespace fb::xlsx::testing {

inline constexpr const char* kDeclaration =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

// A whole part as the writer must produce it: the declaration, then the elements.
inline std::string part(const std::string& elements) {
  return kDeclaration + elements;
}

}  // namespace fb::xlsx::testing
