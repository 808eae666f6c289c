#pragma once

#include <cstdint>
#include <span>

namespace kivo2d {

// The component's resources of the user-defined type "CUSTOM", by id.
inline constexpr std::int16_t kReportTemplateResourceId = 101;

// The bytes of a "CUSTOM" resource; an empty span when the component has no resource of that id.
std::span<const unsigned char> LoadCustomResource(std::int16_t id);

}  // namespace kivo2d
