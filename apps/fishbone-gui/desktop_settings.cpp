#include "apps/fishbone-gui/desktop_settings.h"

namespace fishbone_gui {

std::string DesktopSettingsKey() {
  return "HKEY_CURRENT_USER\\Software\\Fishbone\\Desktop";
}

DesktopSettings LoadDesktopSettings(const fb::os::Registry& registry) {
  DesktopSettings settings;
  const std::string key = DesktopSettingsKey();
  if (auto version = registry.string_value(key, "HostVersion")) {
    if (*version == "11.0" || *version == "12.0") settings.host_version = *version;
  }
  if (auto language = registry.dword_value(key, "Language")) {
    if (*language == 2052 || *language == 1033) settings.language_id = static_cast<int>(*language);
  }
  if (auto trust = registry.dword_value(key, "TrustVBProject")) {
    settings.trust_vba_project = *trust != 0;
  }
  if (auto library = registry.dword_value(key, "AnalysisToolPak")) {
    settings.analysis_library = *library != 0;
  }
  return settings;
}

void StoreDesktopSettings(fb::os::Registry& registry, const DesktopSettings& settings) {
  const std::string key = DesktopSettingsKey();
  registry.set_value(key, "HostVersion", settings.host_version);
  registry.set_value(key, "Language", static_cast<std::uint32_t>(settings.language_id));
  registry.set_value(key, "TrustVBProject", std::uint32_t{settings.trust_vba_project ? 1u : 0u});
  registry.set_value(key, "AnalysisToolPak", std::uint32_t{settings.analysis_library ? 1u : 0u});
}

}  // namespace fishbone_gui
