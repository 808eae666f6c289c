#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace fb::xlsx {

// The workbook's table of distinct texts; cells refer to a text by its position.
class SharedStrings {
 public:
  std::uint32_t add(std::string_view text);
  const std::vector<std::string>& texts() const { return texts_; }
  std::size_t use_count() const { return uses_; }

 private:
  std::vector<std::string> texts_;
  std::unordered_map<std::string, std::uint32_t> index_;
  std::size_t uses_ = 0;
};

}  // namespace fb::xlsx
