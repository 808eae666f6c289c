#include "platform/os/program_files.h"

#include <string>
#include <system_error>

namespace fb::os {

std::filesystem::path running_program() {
  std::error_code ec;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : self;
}

std::filesystem::path installed_data_folder(const std::filesystem::path& program) {
  return program.parent_path().parent_path() / "share" / "fishbone";
}

std::filesystem::path installed_or(const std::filesystem::path& program, const std::string& name,
                                   const std::filesystem::path& fallback) {
  if (program.empty()) return fallback;
  std::error_code ec;
  const std::filesystem::path installed = installed_data_folder(program) / name;
  return std::filesystem::is_regular_file(installed, ec) ? installed : fallback;
}

}  // namespace fb::os
