#pragma once

#include <fontconfig/fontconfig.h>

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

// The font configuration the product's text layout uses: the alias file's rules and the system's
// rules for drawing (hinting, antialiasing, bitmap scaling, the "emoji" family, synthetic bold
// and italic) over only the faces of the families the alias file names, and the DejaVu faces,
// which cover most other scripts, read from the system's font folders through fontconfig's
// caches. A layout's first use of each font and size sorts the configuration's whole font set
// and runs its rules, so a small set with few rules keeps that cheap; a text those families
// cover is laid out with the same faces either way. Made once; the process keeps it, and makes
// it its default configuration unless load_product_fonts came first. Without any of those faces
// installed, the whole configuration (load_product_fonts) serves. Throws as load_product_fonts
// does.
FcConfig* product_text_fonts();

}  // namespace fb::render
