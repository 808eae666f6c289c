#pragma once

#include <string>
#include <utility>
#include <vector>

namespace fb::xlsx {

// The parts of a package, gathered in order and compressed into one zip archive in memory.
class ZipPackage {
 public:
  // How hard a part is compressed. zlib's usual level suits the XML parts; the pictures are most
  // of a package's bytes and its slowest to compress, and the fastest level costs them little
  // size.
  enum class Compression { kBalanced, kFast };

  void add(std::string name, std::string content, Compression compression = Compression::kBalanced);
  // The archive's bytes. Entries carry a fixed time stamp, so equal parts give equal bytes.
  // Throws std::runtime_error when the zip writer fails.
  std::string bytes() const;

 private:
  struct Entry {
    std::string name;
    std::string content;
    Compression compression;
  };
  std::vector<Entry> entries_;
};

}  // namespace fb::xlsx
