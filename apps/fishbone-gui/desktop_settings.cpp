#include "apps/fishbone-gui/desktop_settings.h"

#include <algorithm>
#include <cctype>

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
  if (auto contact = registry.string_value(key, "ContactAddress")) {
    if (IsContactAddress(*contact)) settings.contact_address = *contact;
  }
  return settings;
}

bool IsContactAddress(std::string_view address) {
  const auto starts = [&](std::string_view scheme) {
    if (address.size() <= scheme.size()) return false;
    for (std::size_t i = 0; i < scheme.size(); ++i) {
      if (std::tolower(static_cast<unsigned char>(address[i])) != scheme[i]) return false;
    }
    return true;
  };
  const bool printable = std::none_of(address.begin(), address.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == ' ';
  });
  return printable && (starts("http://") || starts("https://") || starts("mailto:"));
}

void StoreDesktopSettings(fb::os::Registry& registry, const DesktopSettings& settings) {
  const std::string key = DesktopSettingsKey();
  registry.set_value(key, "HostVersion", HostVersionText(settings.host_profile));
  registry.set_value(key, "Language", static_cast<std::uint32_t>(settings.language_id));
  registry.set_value(key, "TrustVBProject", std::uint32_t{settings.trust_vba_project ? 1u : 0u});
  registry.set_value(key, "AnalysisToolPak", std::uint32_t{settings.analysis_library ? 1u : 0u});
  registry.set_value(key, "ContactAddress", settings.contact_address);
}

}  // namespace fishbone_gui
