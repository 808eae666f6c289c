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

namespace {

// Whether the process's default configuration is the system's whole one (the desktop, which
// lists every installed family): the text layout's small one must not replace it then.
bool full_configuration_loaded = false;

std::mutex& configuration_mutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace

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
    {
      std::lock_guard lock(configuration_mutex());
      full_configuration_loaded = true;
      FcConfigSetCurrent(config);
    }
    FcConfigDestroy(config);  // the current configuration keeps its own reference
  });
}

namespace {

// The small configuration: the system's font folders read through their caches, but only the
// faces of the families the alias file prefers and of those that cover the scripts they lack;
// the system's rules that change how a chosen face is drawn or which face draws an emoji
// (relative to the system's configuration folder; a missing one is skipped). The system's whole
// configuration, dozens of rule files, is never parsed: that cost more than all the layouts of
// a report.
constexpr const char* kSmallConfiguration =
    R"(<?xml version="1.0"?><fontconfig>)"
    R"(<dir>/usr/share/fonts</dir><dir>/usr/local/share/fonts</dir>)"
    R"(<dir prefix="xdg">fonts</dir><dir>~/.fonts</dir>)"
    R"(<cachedir>/var/cache/fontconfig</cachedir><cachedir prefix="xdg">fontconfig</cachedir>)"
    R"(<cachedir>~/.fontconfig</cachedir>)"
    R"(<selectfont><acceptfont>)"
    R"(<pattern><patelt name="family"><string>Noto Serif CJK SC</string></patelt></pattern>)"
    R"(<pattern><patelt name="family"><string>Noto Sans CJK SC</string></patelt></pattern>)"
    R"(<pattern><patelt name="family"><string>Liberation Serif</string></patelt></pattern>)"
    R"(<pattern><patelt name="family"><string>Liberation Sans</string></patelt></pattern>)"
    R"(<pattern><patelt name="family"><string>Noto Color Emoji</string></patelt></pattern>)"
    R"(<pattern><patelt name="family"><string>DejaVu Sans</string></patelt></pattern>)"
    R"(<pattern><patelt name="family"><string>DejaVu Serif</string></patelt></pattern>)"
    R"(</acceptfont><rejectfont><pattern/></rejectfont></selectfont>)"
    R"(<include ignore_missing="yes">conf.d/10-hinting-slight.conf</include>)"
    R"(<include ignore_missing="yes">conf.d/10-scale-bitmap-fonts.conf</include>)"
    R"(<include ignore_missing="yes">conf.d/10-yes-antialias.conf</include>)"
    R"(<include ignore_missing="yes">conf.d/11-lcdfilter-default.conf</include>)"
    R"(<include ignore_missing="yes">conf.d/45-generic.conf</include>)"
    R"(<include ignore_missing="yes">conf.d/60-generic.conf</include>)"
    R"(<include ignore_missing="yes">conf.d/90-synthetic.conf</include>)"
    R"(</fontconfig>)";

FcConfig* small_configuration() {
  FcConfig* config = FcConfigCreate();
  const std::string file = font_alias_file().string();
  if (config == nullptr ||
      !FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(kSmallConfiguration),
                                      FcTrue) ||
      !FcConfigParseAndLoad(config, reinterpret_cast<const FcChar8*>(file.c_str()), FcTrue)) {
    if (config != nullptr) FcConfigDestroy(config);
    throw std::runtime_error("font alias file " + file + " is missing or malformed");
  }
  FcFontSet* faces = FcConfigBuildFonts(config) ? FcConfigGetFonts(config, FcSetSystem) : nullptr;
  if (faces == nullptr || faces->nfont == 0) {
    FcConfigDestroy(config);
    return nullptr;
  }
  return config;
}

}  // namespace

FcConfig* product_text_fonts() {
  static FcConfig* lean = nullptr;
  static std::once_flag once;
  std::call_once(once, [] {
    lean = small_configuration();
    if (lean == nullptr) {
      // Without any of those families (a machine without the install script's fonts) the
      // whole configuration serves.
      load_product_fonts();
      lean = FcConfigReference(nullptr);
      return;
    }
    // A process that never asked for the whole configuration (the command line) makes the
    // small one its default too: the text layout's font map otherwise initialises fontconfig
    // with the whole system configuration on a thread of its own, for nothing.
    std::lock_guard lock(configuration_mutex());
    if (!full_configuration_loaded) FcConfigSetCurrent(lean);
  });
  return lean;
}

}  // namespace fb::render
