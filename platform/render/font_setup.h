#pragma once

#include <filesystem>

namespace fb::render {

// The fontconfig file that maps the product's font names ("宋体", "仿宋_GB2312", "黑体",
// "Arial", "Tahoma", "Arial Unicode MS") to installed free fonts.
// An installed program reads its own copy (share/fishbone beside its bin folder); a program in
// the build tree, the source tree's.
std::filesystem::path font_alias_file();
std::filesystem::path font_alias_file_of(const std::filesystem::path& program);

// Loads the alias file into the process's font configuration, once; every text layout calls it
// first. Throws std::runtime_error naming the file when it is missing or unreadable, because
// texts would otherwise silently come out in some other face.
void load_product_fonts();

}  // namespace fb::render
