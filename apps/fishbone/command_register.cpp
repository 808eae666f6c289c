// fishbone register | unregister: the component's self-registration for the current user.

#include <array>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "apps/fishbone/args.h"
#include "apps/fishbone/commands.h"
#include "platform/os/host_error.h"
#include "platform/os/registry.h"
#include "src/addin/registration.h"

namespace fishbone {
namespace {

// The program provides the component's classes.
std::string LibraryPath() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string("fishbone") : self.string();
}

int RunRegistration(const Command& command, bool register_it, std::span<const std::string> args,
                    Io& io) {
  std::string error;
  const auto parsed = ParseArgs(args, std::span<const OptionRule>{}, error);
  if (!parsed) return UsageError(command, error, io);
  if (parsed->help) {
    io.out << command.usage;
    return kExitOk;
  }
  if (!parsed->positionals.empty()) {
    return UsageError(command, "takes no arguments", io);
  }
  try {
    const fb::os::ProcessEnvironment environment;
    const std::filesystem::path file = fb::os::default_registry_file(environment);
    fb::os::Registry registry = fb::os::Registry::load(file);
    if (register_it) {
      kivo2d::RegisterComponent(registry, LibraryPath());
    } else {
      kivo2d::UnregisterComponent(registry);
    }
    registry.save(file);
    io.out << (register_it ? "registered " : "unregistered ") << kivo2d::kConnectProgId << " in "
           << file.string() << '\n';
    return kExitOk;
  } catch (const fb::HostError& failure) {
    io.err << "fishbone " << command.name << ": " << failure.description() << '\n';
    return kExitFailure;
  }
}

int RunRegister(std::span<const std::string> args, Io& io) {
  return RunRegistration(kRegisterCommand, true, args, io);
}
int RunUnregister(std::span<const std::string> args, Io& io) {
  return RunRegistration(kUnregisterCommand, false, args, io);
}

}  // namespace

const Command kRegisterCommand{
    "register",
    "register",
    "register the add-in for the current user's hosts",
    "Usage: fishbone register\n"
    "\n"
    "Records the component's classes (KIVO2D.Connect, KIVO2D.Functions) with this program as\n"
    "their library, and the add-in under the host's add-ins of the current user, loaded at\n"
    "start-up, in the user's registry file ($XDG_CONFIG_HOME/fishbone/registry.reg, else\n"
    "~/.config/fishbone/registry.reg). Registering again is harmless.\n"
    "\n"
    "Exit status: 0 done, 1 the registry file cannot be read or written, 2 wrong usage.\n",
    RunRegister,
};

const Command kUnregisterCommand{
    "unregister",
    "unregister",
    "remove what register wrote",
    "Usage: fishbone unregister\n"
    "\n"
    "Removes the component's classes and its add-in key from the user's registry file; other\n"
    "entries stay. Nothing registered is no error.\n"
    "\n"
    "Exit status: 0 done, 1 the registry file cannot be read or written, 2 wrong usage.\n",
    RunUnregister,
};

}  // namespace fishbone
