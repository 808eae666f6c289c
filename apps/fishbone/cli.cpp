#include "apps/fishbone/cli.h"

#include <array>
#include <ostream>

#include "apps/fishbone/commands.h"
#include "apps/fishbone/version.h"

namespace fishbone {
namespace {

// The table of commands. A new command: a new command_<name>.cpp and one line here.
constexpr std::array<const Command*, 6> kCommands{
    &kCheckCommand,    &kConvertCommand,  &kDemoCommand,
    &kGenerateCommand, &kRegisterCommand, &kUnregisterCommand,
};

const Command* FindCommand(std::string_view name) {
  for (const Command* command : kCommands) {
    if (command->name == name) return command;
  }
  return nullptr;
}

}  // namespace

std::span<const Command* const> Commands() {
  return kCommands;
}

std::string GeneralUsage() {
  std::string text =
      "Usage: fishbone <command> [options] [arguments]\n"
      "\n"
      "Fishbone report system " +
      VersionText() +
      ": cause-and-effect (fishbone) analyses for quality engineers.\n"
      "\n"
      "Commands:\n";
  for (const Command* command : kCommands) {
    std::string synopsis(command->synopsis);
    synopsis.resize(std::max<std::size_t>(synopsis.size() + 2, 22), ' ');
    text += "  " + synopsis + std::string(command->summary) + "\n";
  }
  text +=
      "\n"
      "Options:\n"
      "  -h, --help            show this help (\"fishbone <command> --help\": a command's help)\n"
      "  --version             show the version\n"
      "\n"
      "Tree files are the exchange XML (.xml) or an indented text outline (.txt): see README.md.\n"
      "Exit status: 0 success, 1 a tree has problems or a file cannot be read or written,\n"
      "2 wrong usage.\n";
  return text;
}

int UsageError(const Command& command, std::string_view message, Io& io) {
  const std::string_view usage = command.usage;
  io.err << "fishbone " << command.name << ": " << message << '\n'
         << usage.substr(0, usage.find('\n') + 1) << "Try \"fishbone " << command.name
         << " --help\" for more.\n";
  return kExitUsage;
}

int Run(std::span<const std::string> args, Io& io) {
  if (args.empty()) {
    io.err << GeneralUsage();
    return kExitUsage;
  }
  const std::string& first = args[0];
  if (first == "-h" || first == "--help" || first == "help") {
    if (args.size() > 1) {
      if (const Command* command = FindCommand(args[1])) {
        io.out << command->usage;
        return kExitOk;
      }
      io.err << "fishbone: unknown command \"" << args[1] << "\"\n\n" << GeneralUsage();
      return kExitUsage;
    }
    io.out << GeneralUsage();
    return kExitOk;
  }
  if (first == "--version") {
    io.out << "fishbone " << VersionText() << '\n';
    return kExitOk;
  }
  if (const Command* command = FindCommand(first)) {
    return command->run(args.subspan(1), io);
  }
  io.err << "fishbone: unknown " << (first.starts_with("-") ? "option" : "command") << " \""
         << first << "\"\n\n"
         << GeneralUsage();
  return kExitUsage;
}

}  // namespace fishbone
