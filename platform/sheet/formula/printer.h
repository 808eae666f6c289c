#pragma once

#include <string>

#include "platform/sheet/formula/ast.h"

namespace fb::sheet::formula {

// The text of a formula in either notation, with its leading '='. Known function names are
// written in capitals, the author's whitespace is kept, numbers are written as General writes
// them.
std::string print_formula(const Formula& f, Notation notation, CellAddress origin);

// One reference as text; `origin` is used only for A1.
std::string print_reference(const Reference& ref, Notation notation, CellAddress origin);

// A sheet name as a reference writes it: quoted when it is not a plain name.
std::string sheet_prefix(const std::string& sheet);

}  // namespace fb::sheet::formula
