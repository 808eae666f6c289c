#pragma once

#include <memory>
#include <string_view>

#include "platform/sheet/formula/ast.h"
#include "platform/sheet/formula/formula.h"

namespace fb::sheet::formula {

// Builds the tree of a formula body. Known function names are resolved here, once; any other
// name followed by '(' becomes a call of a user-defined function, looked up when evaluated.
ParseResult parse_formula(std::string_view text, Notation notation, CellAddress origin);

}  // namespace fb::sheet::formula
