#pragma once

#include <string>

namespace kivo2d {

// One node as the exchange file carries it: the three attributes of a "NODE" element.
// The parent key is empty for the main problem.
struct ExchangeNode {
  std::string caption;
  std::string key;
  std::string parent_key;
  friend bool operator==(const ExchangeNode&, const ExchangeNode&) = default;
};

}  // namespace kivo2d
