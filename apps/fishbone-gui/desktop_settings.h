#pragma once

#include <string>
#include <string_view>

#include "platform/os/registry.h"
#include "platform/sheet/host_profile.h"
#include "src/windows/hello.h"

namespace fishbone_gui {

// The desktop's own choices, kept in the per-user registry file beside the add-in's entries:
// the host version profile and the install language (both applied at the next start), whether
// the user trusts access to the VBA project, whether the analysis function library loads, and the
// address the welcome window's 联系我们 opens (a company's own support page or mail address).
struct DesktopSettings {
  fb::sheet::HostProfile host_profile = fb::sheet::HostProfile::V12;  // V12 or V11, never Other
  int language_id = 2052;  // the install language the host reports
  bool trust_vba_project = true;
  bool analysis_library = true;
  std::string contact_address = std::string(kivo2d::kContactPage);
};

// Whether the desktop opens this as a contact address: a web page (http:, https:) or a mail
// address (mailto:), nothing that runs a program or reads a local file.
bool IsContactAddress(std::string_view address);

// "HKEY_CURRENT_USER\Software\Fishbone\Desktop".
std::string DesktopSettingsKey();

// The version text the host is started with for the chosen profile.
std::string HostVersionText(fb::sheet::HostProfile profile);

// Values missing from the registry, or not ones the host can take, keep their defaults.
DesktopSettings LoadDesktopSettings(const fb::os::Registry& registry);
void StoreDesktopSettings(fb::os::Registry& registry, const DesktopSettings& settings);

}  // namespace fishbone_gui
