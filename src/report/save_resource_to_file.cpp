#include "src/report/save_resource_to_file.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <span>

#include "platform/os/win_path.h"
#include "src/report/resources.h"

namespace kivo2d {
namespace {

// Binary access: open for update when the file exists, create it otherwise; never truncate.
std::FILE* OpenForBinaryAccess(const std::filesystem::path& file) {
  if (std::FILE* existing = std::fopen(file.c_str(), "r+b")) return existing;
  return std::fopen(file.c_str(), "w+b");
}

}  // namespace

void SaveResourceToFile(std::string_view file_path, std::int16_t resource_id,
                        std::int32_t byte_count) {
  std::span<const unsigned char> bytes;
  try {
    bytes = LoadCustomResource(resource_id);
  } catch (const std::exception&) {
  }
  std::FILE* file = nullptr;
  try {
    file = OpenForBinaryAccess(fb::os::native_path(file_path));
  } catch (const std::exception&) {
  }
  if (file == nullptr) return;  // every write and the close would fail alike
  for (std::int32_t i = 0; i < byte_count; ++i) {
    const auto at = static_cast<std::size_t>(i);
    if (at >= bytes.size()) break;  // the excess writes fail one by one and are skipped
    if (std::fputc(bytes[at], file) == EOF) break;
  }
  std::fclose(file);
}

}  // namespace kivo2d
