#pragma once

#include <string>
#include <utility>
#include <vector>

namespace fb::xlsx {

// The parts of a package, gathered in order and compressed into one zip archive in memory.
class ZipPackage {
 public:
  void add(std::string name, std::string content);
  // The archive's bytes. Entries carry a fixed time stamp, so equal parts give equal bytes.
  // Throws std::runtime_error when the zip library fails.
  std::string bytes() const;

 private:
  std::vector<std::pair<std::string, std::string>> entries_;
};

}  // namespace fb::xlsx
