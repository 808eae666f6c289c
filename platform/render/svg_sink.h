#pragma once

#include <filesystem>
#include <string>

#include "platform/render/display_list.h"

namespace fb::render {

// An SVG document of the list's size in points. Texts are written as <text> elements at the
// positions our own layout gives them, so they stay searchable and selectable; the font names
// are followed by the free faces they map to.
std::string render_svg(const DisplayList& list);

// Written atomically; failures throw std::runtime_error naming the file.
void write_svg(const DisplayList& list, const std::filesystem::path& path);

}  // namespace fb::render
