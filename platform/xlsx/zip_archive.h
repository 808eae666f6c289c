#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace fb::xlsx {

// A package that cannot be read: not a zip archive, a damaged entry, a part that is no
// well-formed XML or lacks what every workbook has. The text says what is wrong, without the
// file's name, which the caller knows.
class PackageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The most entries an archive may list, and the most bytes one of its parts may inflate to. A
// workbook has a few dozen parts, and the parts a reader looks at (the workbook, its
// relationships, the shared strings, a sheet) are small; an archive beyond either is no
// workbook of ours, and inflating it would only fill memory (a "zip bomb" turns a few kilobytes
// into gigabytes).
inline constexpr std::size_t kMaxZipEntries = 10000;
inline constexpr std::size_t kMaxPartBytes = std::size_t{16} * 1024 * 1024;

struct ZipSource;

// A zip archive held in memory, read with zlib's minizip. The bytes must outlive the archive.
class ZipArchive {
 public:
  // Reads the archive's directory. Throws PackageError when it is no zip archive, is damaged, or
  // lists more than kMaxZipEntries entries.
  explicit ZipArchive(std::string_view bytes);
  ~ZipArchive();
  ZipArchive(const ZipArchive&) = delete;
  ZipArchive& operator=(const ZipArchive&) = delete;

  // The content of the entry of this name (letter case ignored, as package part names are
  // compared), or nothing when there is none. Throws PackageError when the entry cannot be
  // inflated, fails its checksum, or is larger than `max_bytes`.
  std::optional<std::string> read(std::string_view name,
                                  std::size_t max_bytes = kMaxPartBytes) const;

 private:
  struct Position {
    std::uint64_t directory_offset = 0;
    std::uint64_t entry_number = 0;
  };
  std::unique_ptr<ZipSource> source_;
  void* archive_ = nullptr;                  // minizip's unzFile
  std::map<std::string, Position> entries_;  // by name in lower case
};

}  // namespace fb::xlsx
