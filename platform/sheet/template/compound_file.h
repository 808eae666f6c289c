#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace fb::sheet::xlt {

// Read access to the streams at the top of a compound file (the container of 97-2003 workbooks).
// Every sector number, chain and size is checked against the file, so a truncated or corrupt
// file raises TemplateError instead of reading out of bounds or looping.
class CompoundFile {
 public:
  explicit CompoundFile(std::vector<std::uint8_t> bytes);

  // The contents of a stream directly under the root storage, by name (compared without regard
  // to ASCII letter case); nullopt when there is none.
  std::optional<std::vector<std::uint8_t>> stream(const std::u16string& name) const;

 private:
  struct Entry {
    std::u16string name;
    std::uint8_t type = 0;
    std::uint32_t left = 0;
    std::uint32_t right = 0;
    std::uint32_t child = 0;
    std::uint32_t start = 0;
    std::uint64_t size = 0;
  };

  std::span<const std::uint8_t> sector(std::uint32_t id) const;
  std::vector<std::uint32_t> chain(std::uint32_t start, const std::vector<std::uint32_t>& table,
                                   std::uint64_t max_length) const;
  // The sectors of a chain joined; cut to `size` when given (the chain must hold that much).
  std::vector<std::uint8_t> read_chain(std::uint32_t start,
                                       std::optional<std::uint64_t> size) const;

  std::vector<std::uint8_t> bytes_;
  std::uint32_t sector_size_ = 512;
  std::uint32_t mini_sector_size_ = 64;
  std::uint32_t mini_cutoff_ = 4096;
  std::vector<std::uint32_t> fat_;
  std::vector<std::uint32_t> mini_fat_;
  std::vector<Entry> entries_;
  std::vector<std::uint8_t> mini_stream_;
};

}  // namespace fb::sheet::xlt
