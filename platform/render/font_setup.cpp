#include "platform/render/font_setup.h"

#include <fontconfig/fontconfig.h>

#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

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

namespace {

// The families the alias file prefers, and the faces that cover the scripts they lack.
const std::set<std::string>& kept_families() {
  static const std::set<std::string> families{
      "Noto Serif CJK SC", "Noto Sans CJK SC", "Liberation Serif", "Liberation Sans",
      "Noto Color Emoji",  "DejaVu Sans",      "DejaVu Serif"};
  return families;
}

bool kept(FcPattern* face) {
  FcChar8* family = nullptr;
  for (int i = 0; FcPatternGetString(face, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
    if (kept_families().contains(reinterpret_cast<const char*>(family))) return true;
  }
  return false;
}

std::string file_of(FcPattern* face) {
  FcChar8* path = nullptr;
  if (FcPatternGetString(face, FC_FILE, 0, &path) != FcResultMatch) return {};
  return reinterpret_cast<const char*>(path);
}

// The system's rules that change how a chosen face is drawn or which face draws an emoji,
// relative to the system's configuration folder; a missing one is skipped.
constexpr const char* kDrawingRules =
    R"(<?xml version="1.0"?><fontconfig>)"
    R"(<include ignore_missing="yes">conf.d/10-hinting-slight.conf</include>)"
    R"(<include ignore_missing="yes">conf.d/10-scale-bitmap-fonts.conf</include>)"
    R"(<include ignore_missing="yes">conf.d/10-yes-antialias.conf</include>)"
    R"(<include ignore_missing="yes">conf.d/11-lcdfilter-default.conf</include>)"
    R"(<include ignore_missing="yes">conf.d/45-generic.conf</include>)"
    R"(<include ignore_missing="yes">conf.d/60-generic.conf</include>)"
    R"(<include ignore_missing="yes">conf.d/90-synthetic.conf</include>)"
    R"(</fontconfig>)";

}  // namespace

FcConfig* product_text_fonts() {
  static FcConfig* lean = nullptr;
  static std::once_flag once;
  std::call_once(once, [] {
    load_product_fonts();
    FcConfig* full = FcConfigGetCurrent();
    FcFontSet* faces = FcConfigGetFonts(full, FcSetSystem);
    FcConfig* config = FcConfigCreate();
    const std::string file = font_alias_file().string();
    if (config == nullptr ||
        !FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(kDrawingRules),
                                        FcTrue) ||
        !FcConfigParseAndLoad(config, reinterpret_cast<const FcChar8*>(file.c_str()), FcTrue)) {
      if (config != nullptr) FcConfigDestroy(config);
      throw std::runtime_error("font alias file " + file + " is missing or malformed");
    }
    std::vector<FcPattern*> keep;
    for (int i = 0; faces != nullptr && i < faces->nfont; ++i) {
      if (kept(faces->fonts[i])) keep.push_back(faces->fonts[i]);
    }
    // The application set exists once a first file is added: the smallest file, which costs
    // least to scan. The other faces join it as the full configuration scanned them, so no
    // other font file is read.
    std::string first;
    std::uintmax_t smallest = 0;
    for (FcPattern* face : keep) {
      const std::string path = file_of(face);
      std::error_code failed;
      const std::uintmax_t size = std::filesystem::file_size(path, failed);
      if (!failed && (first.empty() || size < smallest)) {
        first = path;
        smallest = size;
      }
    }
    FcFontSet* added = nullptr;
    if (!first.empty() &&
        FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(first.c_str()))) {
      added = FcConfigGetFonts(config, FcSetApplication);
    }
    for (FcPattern* face : keep) {
      if (added == nullptr || file_of(face) == first) continue;
      FcPatternReference(face);
      FcFontSetAdd(added, face);
    }
    // Without any of them (a machine without the install script's fonts) the full set serves.
    if (added == nullptr) {
      FcConfigDestroy(config);
      FcConfigReference(full);
      config = full;
    }
    lean = config;
  });
  return lean;
}

}  // namespace fb::render
