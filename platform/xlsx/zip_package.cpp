#include "platform/xlsx/zip_package.h"

#include <zip.h>

#include <memory>
#include <stdexcept>

namespace fb::xlsx {
namespace {

// 2000-01-01 12:00 UTC: any fixed time will do; zip stores local DOS time, noon keeps the date.
constexpr time_t kEntryTime = 946728000;

[[noreturn]] void fail(const std::string& what, zip_error_t* error) {
  const std::string reason = zip_error_strerror(error);
  zip_error_fini(error);
  throw std::runtime_error("cannot build the zip archive: " + what + ": " + reason);
}

struct SourceFree {
  void operator()(zip_source_t* s) const { zip_source_free(s); }
};

}  // namespace

void ZipPackage::add(std::string name, std::string content, Compression compression) {
  entries_.push_back({std::move(name), std::move(content), compression});
}

std::string ZipPackage::bytes() const {
  zip_error_t error;
  zip_error_init(&error);
  std::unique_ptr<zip_source_t, SourceFree> buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
  if (!buffer) fail("buffer", &error);
  zip_t* archive = zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error);
  if (archive == nullptr) fail("open", &error);
  zip_source_keep(buffer.get());  // the archive's close would otherwise free it

  for (const auto& [name, content, compression] : entries_) {
    zip_source_t* part = zip_source_buffer(archive, content.data(), content.size(), 0);
    const zip_int64_t index =
        part == nullptr ? -1 : zip_file_add(archive, name.c_str(), part, ZIP_FL_ENC_UTF_8);
    const zip_uint32_t level = compression == Compression::kFast ? 1 : 6;
    if (index < 0 ||
        zip_file_set_mtime(archive, static_cast<zip_uint64_t>(index), kEntryTime, 0) != 0 ||
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE,
                                 level) != 0) {
      if (part != nullptr && index < 0) zip_source_free(part);
      const std::string reason = zip_strerror(archive);
      zip_discard(archive);
      zip_error_fini(&error);
      throw std::runtime_error("cannot build the zip archive: " + name + ": " + reason);
    }
  }
  if (zip_close(archive) != 0) {
    const std::string reason = zip_strerror(archive);
    zip_discard(archive);
    zip_error_fini(&error);
    throw std::runtime_error("cannot build the zip archive: " + reason);
  }

  zip_stat_t stat;
  zip_stat_init(&stat);
  zip_error_fini(&error);
  if (zip_source_stat(buffer.get(), &stat) != 0 || zip_source_open(buffer.get()) != 0) {
    throw std::runtime_error(std::string("cannot build the zip archive: read back: ") +
                             zip_error_strerror(zip_source_error(buffer.get())));
  }
  std::string out(static_cast<std::size_t>(stat.size), '\0');
  const zip_int64_t read = zip_source_read(buffer.get(), out.data(), out.size());
  zip_source_close(buffer.get());
  if (read != static_cast<zip_int64_t>(out.size())) {
    throw std::runtime_error("cannot build the zip archive: short read of the finished archive");
  }
  return out;
}

}  // namespace fb::xlsx
