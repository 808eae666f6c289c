#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

// The command-line host's frame: a dispatcher over a table of commands, one file per command.
// A new command (generate, demo, register ...) is a new file that defines a `Command` and one
// line in the table of cli.cpp.

namespace fishbone {

// Exit statuses of every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // problems in a tree, a file that cannot be read or written
inline constexpr int kExitUsage = 2;    // wrong command line

// The standard streams, passed explicitly so tests and future hosts can substitute them.
struct Io {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
};

struct Command {
  std::string_view name;
  std::string_view synopsis;  // e.g. "convert IN -o OUT"; the list in the general help
  std::string_view summary;   // one line for the list in the general help
  std::string_view usage;     // the whole help text of the command, starting "Usage: ..."
  int (*run)(std::span<const std::string> args, Io& io);
};

// The commands, in the order the general help lists them.
std::span<const Command* const> Commands();

// Runs the command line (without the program name) and returns the exit status.
int Run(std::span<const std::string> args, Io& io);

// The general help text.
std::string GeneralUsage();

// Writes "fishbone <command>: <message>" and the command's usage line to io.err; returns
// kExitUsage.
int UsageError(const Command& command, std::string_view message, Io& io);

}  // namespace fishbone
