#pragma once

#include <stdio.h>
#include <sys/wait.h>

#include <array>
#include <optional>
#include <string>

// Tests that have a real reader of our files (python's openpyxl, xlrd) check what we write.

namespace fbtest {

struct CommandResult {
  int status = -1;
  std::string output;  // standard output and standard error together
};

inline CommandResult RunCommand(const std::string& command) {
  CommandResult result;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return result;
  std::array<char, 4096> buffer{};
  while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) result.output += buffer.data();
  const int status = ::pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

// A python that can import `module`: the system's own first, as version managers on PATH may
// hide it. Nothing when there is none (the caller skips its test).
inline std::optional<std::string> PythonWith(const std::string& module) {
  for (const char* candidate : {"/usr/bin/python3", "python3"}) {
    if (RunCommand(std::string(candidate) + " -c 'import " + module + "'").status == 0) {
      return candidate;
    }
  }
  return std::nullopt;
}

}  // namespace fbtest
