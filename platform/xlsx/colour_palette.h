#pragma once

#include <cstdint>
#include <optional>

namespace fb::xlsx {

// The RGB value (0xRRGGBB) of a colour index of the host's default 56-colour palette; none for
// automatic, none (interior) and any index outside 1..56.
std::optional<std::uint32_t> palette_rgb(int color_index);

}  // namespace fb::xlsx
