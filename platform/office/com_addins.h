#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/registry.h"

namespace fb::office {

// ext_ConnectMode and ext_DisconnectMode of the add-in connection interface.
namespace connect_mode {
inline constexpr int kAfterStartup = 0;
inline constexpr int kStartup = 1;
inline constexpr int kExternal = 2;
inline constexpr int kCommandLine = 3;
}  // namespace connect_mode
namespace remove_mode {
inline constexpr int kHostShutdown = 0;
inline constexpr int kUserClosed = 1;
}  // namespace remove_mode

// LoadBehavior 3: connected when the host starts.
inline constexpr std::uint32_t kLoadAtStartup = 3;

// The add-in connection interface a COM add-in implements.
class ComAddin {
 public:
  virtual ~ComAddin() = default;
  virtual void OnConnection(int connect_mode) = 0;
  virtual void OnDisconnection(int remove_mode) = 0;
};

using ComAddinFactory = std::function<std::unique_ptr<ComAddin>()>;

// The host's COM add-ins: classes made available in the process by ProgID (what loading their
// library does), and the connection of the ones the user's registry lists under the host's add-in
// key.
class ComAddIns {
 public:
  // "HKEY_CURRENT_USER\Software\Microsoft\Office\" + host + "\Addins".
  static std::string addins_key(std::string_view host = "Excel");

  ComAddIns() = default;
  ComAddIns(const ComAddIns&) = delete;
  ComAddIns& operator=(const ComAddIns&) = delete;
  ~ComAddIns();

  void register_class(std::string_view prog_id, ComAddinFactory factory);

  // At start-up: connects, with connect mode 1, every add-in whose key under addins_key() has
  // LoadBehavior 3 and whose class is registered, in the registry's key order. A registered key
  // without a class in this process is skipped. Failures of a connection propagate.
  void start_up(const os::Registry& registry, std::string_view host = "Excel");
  // Connects one add-in by ProgID with the given mode (0 when the user loads it after start-up).
  // HostError 1004 when no class has the ProgID; nothing when it is connected already.
  void connect(std::string_view prog_id, int mode = connect_mode::kAfterStartup);
  // Disconnects one add-in (remove mode 1 when the user removes it); nothing when not connected.
  void disconnect(std::string_view prog_id, int mode = remove_mode::kUserClosed);
  // The host closes: every connected add-in is disconnected with remove mode 0, last first.
  void shut_down();

  bool connected(std::string_view prog_id) const;
  ComAddin* instance(std::string_view prog_id) const;

 private:
  std::vector<std::pair<std::string, ComAddinFactory>> classes_;
  std::vector<std::pair<std::string, std::unique_ptr<ComAddin>>> connected_;
};

}  // namespace fb::office
