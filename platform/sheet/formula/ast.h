#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/sheet/cell_address.h"
#include "platform/sheet/formula/formula.h"
#include "platform/sheet/value.h"

namespace fb::sheet::formula {

// One coordinate of a reference as R1C1 writes it: an absolute row or column number ("R4"), or
// an offset from the formula's own cell ("R[-1]", or "R" alone for offset 0).
struct RefPart {
  int value = 0;
  bool absolute = false;
  friend bool operator==(const RefPart&, const RefPart&) = default;

  int resolve(int origin) const noexcept { return absolute ? value : origin + value; }
};

// A reference as written: a cell, a rectangle, whole columns or whole rows, optionally on a
// named sheet. Kept in relative form so that one parse serves every cell of a filled range.
struct Reference {
  enum class Kind : std::uint8_t { Cell, Area, Columns, Rows, Invalid };
  Kind kind = Kind::Cell;
  std::string sheet;  // empty: the formula's own sheet
  RefPart row1, col1, row2, col2;
  friend bool operator==(const Reference&, const Reference&) = default;
};

// An array constant such as {1,2;3,4}: rows separated by ';', columns by ','.
struct ArrayConstant {
  int rows = 0;
  int columns = 0;
  std::vector<Value> values;  // row-major
};

enum class UnaryOp : std::uint8_t { Plus, Minus };
enum class BinaryOp : std::uint8_t {
  Range,  // ':' between two references
  Power,
  Multiply,
  Divide,
  Add,
  Subtract,
  Concat,
  Equal,
  NotEqual,
  Less,
  LessEqual,
  Greater,
  GreaterEqual,
};

enum class NodeKind : std::uint8_t {
  Constant,   // index into Formula::constants
  Reference,  // index into Formula::references
  Array,      // index into Formula::arrays
  Name,       // an undefined name: index into Formula::names; evaluates to #NAME?
  Missing,    // an omitted argument, as in OFFSET(A1,,1)
  Unary,      // code = UnaryOp, one child
  Percent,    // postfix '%', one child
  Binary,     // code = BinaryOp, two children
  Paren,      // one child
  Call,       // code = FunctionId, children = arguments
  UserCall,   // index into Formula::names, children = arguments
};

inline constexpr std::uint32_t kNoSpace = 0;

struct Node {
  NodeKind kind = NodeKind::Constant;
  std::uint16_t code = 0;
  std::uint32_t index = 0;
  std::uint32_t first_child = 0;  // into Formula::children
  std::uint32_t child_count = 0;
  // Whitespace the author typed is part of the formula's text and is read back unchanged; these
  // index Formula::spaces (kNoSpace: none).
  std::uint32_t lead_space = kNoSpace;   // before the node's first token
  std::uint32_t inner_space = kNoSpace;  // before a binary operator, or before ')' of a call
};

class Formula {
 public:
  std::vector<Node> nodes;
  std::vector<std::uint32_t> children;
  std::vector<Value> constants;
  std::vector<Reference> references;
  std::vector<ArrayConstant> arrays;
  std::vector<std::string> names;
  std::vector<std::string> spaces{std::string()};  // entry 0 is kNoSpace
  std::uint32_t root = 0;
  bool is_volatile = false;

  const Node& node(std::uint32_t i) const { return nodes[i]; }
  std::uint32_t child(const Node& n, std::uint32_t k) const { return children[n.first_child + k]; }
};

// The cells a reference covers from the formula's cell `origin`; nullopt when it is #REF! or
// off the grid.
std::optional<RangeAddress> resolve_range(const Reference& ref, CellAddress origin);

}  // namespace fb::sheet::formula
