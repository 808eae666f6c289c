#include "platform/office/com_addins.h"

#include <algorithm>

#include "platform/os/environment.h"
#include "platform/os/host_error.h"

namespace fb::office {

std::string ComAddIns::addins_key(std::string_view host) {
  return "HKEY_CURRENT_USER\\Software\\Microsoft\\Office\\" + std::string(host) + "\\Addins";
}

ComAddIns::~ComAddIns() = default;

void ComAddIns::register_class(std::string_view prog_id, ComAddinFactory factory) {
  for (auto& entry : classes_) {
    if (os::equals_ignoring_ascii_case(entry.first, prog_id)) {
      entry.second = std::move(factory);
      return;
    }
  }
  classes_.emplace_back(std::string(prog_id), std::move(factory));
}

void ComAddIns::start_up(const os::Registry& registry, std::string_view host) {
  const std::string root = addins_key(host);
  for (const std::string& prog_id : registry.subkeys(root)) {
    if (registry.dword_value(root + "\\" + prog_id, "LoadBehavior") != kLoadAtStartup) continue;
    const bool known = std::any_of(classes_.begin(), classes_.end(), [&](const auto& entry) {
      return os::equals_ignoring_ascii_case(entry.first, prog_id);
    });
    if (known) connect(prog_id, connect_mode::kStartup);
  }
}

void ComAddIns::connect(std::string_view prog_id, int mode) {
  if (connected(prog_id)) return;
  auto it = std::find_if(classes_.begin(), classes_.end(), [&](const auto& entry) {
    return os::equals_ignoring_ascii_case(entry.first, prog_id);
  });
  if (it == classes_.end()) {
    throw HostError(host_error::kApplicationDefined,
                    "no COM add-in class is registered as \"" + std::string(prog_id) + "\"");
  }
  std::unique_ptr<ComAddin> addin = it->second();
  addin->OnConnection(mode);
  connected_.emplace_back(it->first, std::move(addin));
}

void ComAddIns::disconnect(std::string_view prog_id, int mode) {
  auto it = std::find_if(connected_.begin(), connected_.end(), [&](const auto& entry) {
    return os::equals_ignoring_ascii_case(entry.first, prog_id);
  });
  if (it == connected_.end()) return;
  std::unique_ptr<ComAddin> addin = std::move(it->second);
  connected_.erase(it);
  addin->OnDisconnection(mode);
}

void ComAddIns::shut_down() {
  while (!connected_.empty()) {
    std::unique_ptr<ComAddin> addin = std::move(connected_.back().second);
    connected_.pop_back();
    addin->OnDisconnection(remove_mode::kHostShutdown);
  }
}

bool ComAddIns::connected(std::string_view prog_id) const {
  return instance(prog_id) != nullptr;
}

ComAddin* ComAddIns::instance(std::string_view prog_id) const {
  for (const auto& entry : connected_) {
    if (os::equals_ignoring_ascii_case(entry.first, prog_id)) return entry.second.get();
  }
  return nullptr;
}

}  // namespace fb::office
