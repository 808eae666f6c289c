#include "platform/render/font_setup.h"

#include <fontconfig/fontconfig.h>

#include <mutex>
#include <stdexcept>
#include <string>

#include "platform/os/program_files.h"

#ifndef FB_RENDER_FONT_ALIAS_FILE
#error "FB_RENDER_FONT_ALIAS_FILE must name the font alias file"
#endif

namespace fb::render {

std::filesystem::path font_alias_file() {
  return font_alias_file_of(fb::os::running_program());
}

std::filesystem::path font_alias_file_of(const std::filesystem::path& program) {
  return fb::os::installed_or(program, "fishbone-fonts.conf", FB_RENDER_FONT_ALIAS_FILE);
}

void load_product_fonts() {
  static std::once_flag once;
  std::call_once(once, [] {
    const std::string file = font_alias_file().string();
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) throw std::runtime_error("the font configuration cannot be loaded");
    if (!FcConfigParseAndLoad(config, reinterpret_cast<const FcChar8*>(file.c_str()), FcTrue)) {
      FcConfigDestroy(config);
      throw std::runtime_error("font alias file " + file + " is missing or malformed");
    }
    // The alias file adds no fonts, only names, so the font set loaded above stays valid.
    FcConfigSetCurrent(config);
    FcConfigDestroy(config);  // the current configuration keeps its own reference
  });
}

}  // namespace fb::render
