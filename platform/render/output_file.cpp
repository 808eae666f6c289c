#include "platform/render/output_file.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <system_error>

namespace fb::render {

namespace {

std::runtime_error failure(const std::filesystem::path& path, const std::string& reason) {
  return std::runtime_error("cannot write " + path.string() + ": " + reason);
}

}  // namespace

void write_file_atomically(const std::filesystem::path& path,
                           std::span<const std::uint8_t> bytes) {
  static std::atomic<unsigned> counter{0};
  std::filesystem::path temporary = path;
  temporary += ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);

  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) throw failure(path, std::strerror(errno));
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const int write_error = errno;
  const bool flushed = std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
  const bool closed = std::fclose(file) == 0;
  if (!written || !flushed || !closed) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    throw failure(path, std::strerror(written ? errno : write_error));
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    throw failure(path, error.message());
  }
}

}  // namespace fb::render
