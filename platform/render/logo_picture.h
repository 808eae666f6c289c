#pragma once

#include <cstdint>
#include <vector>

namespace fb::render {

// The product logo (a fishbone running into the problem box, the third picture of the editor's
// image list) as a PNG file's bytes, for the picture the report and the fishbone chart insert.
std::vector<std::uint8_t> logo_png();

}  // namespace fb::render
