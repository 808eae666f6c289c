#include "apps/fishbone-gui/desktop_settings.h"

namespace fishbone_gui {

std::string DesktopSettingsKey() {
  return "HKEY_CURRENT_USER\\Software\\Fishbone\\Desktop";
}

std::string HostVersionText(fb::sheet::HostProfile profile) {
  return std::string(profile == fb::sheet::HostProfile::V11 ? fb::sheet::kV11VersionText
                                                            : fb::sheet::kV12VersionText);
}

DesktopSettings LoadDesktopSettings(const fb::os::Registry& registry) {
  DesktopSettings settings;
  const std::string key = DesktopSettingsKey();
  if (auto version = registry.string_value(key, "HostVersion")) {
    const fb::sheet::HostProfile profile = fb::sheet::host_profile_of(*version);
    if (profile != fb::sheet::HostProfile::Other) settings.host_profile = profile;
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
  registry.set_value(key, "HostVersion", HostVersionText(settings.host_profile));
  registry.set_value(key, "Language", static_cast<std::uint32_t>(settings.language_id));
  registry.set_value(key, "TrustVBProject", std::uint32_t{settings.trust_vba_project ? 1u : 0u});
  registry.set_value(key, "AnalysisToolPak", std::uint32_t{settings.analysis_library ? 1u : 0u});
}

}  // namespace fishbone_gui
