#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/sheet/formula/ast.h"
#include "platform/sheet/formula/formula.h"

namespace fb::sheet::formula {

enum class TokenKind {
  Number,
  String,
  Boolean,
  Error,
  Reference,  // a cell, a one-token rectangle ("A:C", "5:6") or whole rows/columns
  Function,   // a name directly followed by '('
  Name,       // any other name
  Operator,   // + - * / ^ & = <> < <= > >= %
  Colon,
  Comma,
  Semicolon,
  LeftParen,
  RightParen,
  LeftBrace,
  RightBrace,
  End,
};

struct Token {
  TokenKind kind = TokenKind::End;
  std::size_t position = 0;
  std::string space;      // whitespace typed before the token
  std::string_view text;  // the token as written (operators, names)
  double number = 0;
  std::string string;  // decoded string literal, or a name
  bool boolean = false;
  ErrorCode error = ErrorCode::Value;
  Reference reference;
};

struct LexResult {
  std::vector<Token> tokens;  // ends with an End token
  std::optional<ParseError> error;
};

// Splits a formula body (without its leading '=') into tokens. References are read in the given
// notation; A1 references are turned into R1C1 form relative to `origin`.
LexResult tokenize(std::string_view text, Notation notation, CellAddress origin);

// Reads a whole text as one reference, as INDIRECT does: "A1", "$K$9", "Sheet2!B2:C3",
// "R1C1"... Returns false when the text is no single reference.
bool read_reference_text(std::string_view text, Notation notation, CellAddress origin,
                         Reference& out);

// A1 column letters ("A", "XFD") for a 1-based column number.
std::string column_letters(int column);

}  // namespace fb::sheet::formula
