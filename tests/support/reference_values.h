#pragma once

#include <algorithm>
#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "platform/sheet/value.h"

// The reference values of tests/data/datasheet/reference-values.json: cause trees with the values
// another spreadsheet program computed from the data sheet's own formula texts (its README says
// what is where). One reader for every test that compares with them.

namespace fbtest {

// The trees of the file, read once.
inline const nlohmann::json& ReferenceTrees() {
  static const nlohmann::json trees = [] {
    const std::string path = std::string(FB_TEST_DATA_DIR) + "/datasheet/reference-values.json";
    std::ifstream in(path);
    if (!in) throw std::runtime_error(path + ": cannot be read");
    return nlohmann::json::parse(in).at("trees");
  }();
  return trees;
}

// A tree's (key, caption) pairs in the file's order.
inline std::vector<std::pair<std::string, std::string>> ReferenceTreeNodes(
    const nlohmann::json& tree) {
  std::vector<std::pair<std::string, std::string>> nodes;
  for (const auto& pair : tree.at("tree")) nodes.emplace_back(pair[0], pair[1]);
  return nodes;
}

// A value of the file as a cell value: null is an empty cell, {"error": "#N/A"} an error value.
inline fb::sheet::Value ReferenceValue(const nlohmann::json& j) {
  using fb::sheet::ErrorCode;
  if (j.is_null()) return fb::sheet::Empty{};
  if (j.is_number()) return j.get<double>();
  if (j.is_string()) return j.get<std::string>();
  if (j.is_boolean()) return j.get<bool>();
  const std::string text = j.at("error").get<std::string>();
  for (ErrorCode code : {ErrorCode::Null, ErrorCode::Div0, ErrorCode::Value, ErrorCode::Ref,
                         ErrorCode::Name, ErrorCode::Num, ErrorCode::NA}) {
    if (fb::sheet::error_text(code) == text) return code;
  }
  throw std::runtime_error("reference value " + j.dump() + " is no error the sheet knows");
}

// Whether a computed value is the reference's: numbers within a relative 1e-9 (the other program
// kept 15 significant digits), everything else exactly.
inline bool SameValue(const fb::sheet::Value& actual, const fb::sheet::Value& expected) {
  if (fb::sheet::is_number(actual) && fb::sheet::is_number(expected)) {
    const double a = std::get<double>(actual);
    const double b = std::get<double>(expected);
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b));
  }
  return actual == expected;
}

}  // namespace fbtest
