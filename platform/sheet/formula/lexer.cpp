#include "platform/sheet/formula/lexer.h"

#include <array>
#include <cstdlib>

#include "platform/sheet/formula/coercion.h"

namespace fb::sheet::formula {

namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}
bool is_letter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
char upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
bool is_name_start(char c) {
  return is_letter(c) || c == '_' || c == '\\' || static_cast<unsigned char>(c) >= 0x80;
}
bool is_name_char(char c) {
  return is_name_start(c) || is_digit(c) || c == '.';
}

// True when a reference ending at `i` really ends there: a name character or '(' would make the
// letters part of a longer name or a function call ("ROUND(", "LOG10(").
bool ends_reference(std::string_view t, std::size_t i) {
  return i >= t.size() || (!is_name_char(t[i]) && t[i] != '(' && t[i] != '[' && t[i] != '!');
}

// Reads a run of digits as a bounded positive number; 0 when there is none or it is too long.
int read_int(std::string_view t, std::size_t& i) {
  long v = 0;
  std::size_t start = i;
  while (i < t.size() && is_digit(t[i])) {
    if (i - start >= 8) return 0;
    v = v * 10 + (t[i] - '0');
    ++i;
  }
  return static_cast<int>(v);
}

bool read_letters(std::string_view t, std::size_t& i, int& column) {
  std::size_t start = i;
  long v = 0;
  while (i < t.size() && is_letter(t[i])) {
    if (i - start >= 3) return false;
    v = v * 26 + (upper(t[i]) - 'A' + 1);
    ++i;
  }
  if (i == start || v > kMaxColumns) return false;
  column = static_cast<int>(v);
  return true;
}

RefPart a1_part(int absolute_value, bool dollar, int origin) {
  return dollar ? RefPart{absolute_value, true} : RefPart{absolute_value - origin, false};
}

// One R or C part of an R1C1 reference: "R", "R5", "R[-2]".
bool read_r1c1_part(std::string_view t, std::size_t& i, char letter, int limit, RefPart& part,
                    bool& present) {
  present = false;
  if (i >= t.size() || upper(t[i]) != letter) return true;
  std::size_t j = i + 1;
  if (j < t.size() && t[j] == '[') {
    ++j;
    bool negative = false;
    if (j < t.size() && (t[j] == '-' || t[j] == '+')) negative = t[j++] == '-';
    if (j >= t.size() || !is_digit(t[j])) return false;
    std::size_t digits_start = j;
    int v = read_int(t, j);
    if (j == digits_start || j >= t.size() || t[j] != ']' || v >= limit) return false;
    ++j;
    part = RefPart{negative ? -v : v, false};
  } else if (j < t.size() && is_digit(t[j])) {
    int v = read_int(t, j);
    if (v < 1 || v > limit) return false;
    part = RefPart{v, true};
  } else {
    part = RefPart{0, false};
  }
  i = j;
  present = true;
  return true;
}

bool match_r1c1(std::string_view t, std::size_t i, Reference& ref, std::size_t& end) {
  bool has_row = false;
  bool has_col = false;
  RefPart row, col;
  if (!read_r1c1_part(t, i, 'R', kMaxRows, row, has_row)) return false;
  if (!read_r1c1_part(t, i, 'C', kMaxColumns, col, has_col)) return false;
  if (!has_row && !has_col) return false;
  if (!ends_reference(t, i)) return false;
  ref.kind = has_row && has_col ? Reference::Kind::Cell
                                : (has_row ? Reference::Kind::Rows : Reference::Kind::Columns);
  ref.row1 = ref.row2 = row;
  ref.col1 = ref.col2 = col;
  end = i;
  return true;
}

bool match_a1(std::string_view t, std::size_t i, CellAddress origin, Reference& ref,
              std::size_t& end) {
  std::size_t j = i;
  bool col_dollar = false;
  if (j < t.size() && t[j] == '$') col_dollar = true, ++j;
  int column = 0;
  if (j < t.size() && is_letter(t[j])) {
    if (!read_letters(t, j, column)) return false;
    bool row_dollar = false;
    std::size_t k = j;
    if (k < t.size() && t[k] == '$') row_dollar = true, ++k;
    if (k < t.size() && is_digit(t[k])) {
      int row = read_int(t, k);
      if (row < 1 || row > kMaxRows || !ends_reference(t, k)) return false;
      ref.kind = Reference::Kind::Cell;
      ref.row1 = ref.row2 = a1_part(row, row_dollar, origin.row);
      ref.col1 = ref.col2 = a1_part(column, col_dollar, origin.column);
      end = k;
      return true;
    }
    // Whole columns: "A:C", "$A:$A".
    if (row_dollar || j >= t.size() || t[j] != ':') return false;
    k = j + 1;
    bool col2_dollar = false;
    if (k < t.size() && t[k] == '$') col2_dollar = true, ++k;
    int column2 = 0;
    if (!read_letters(t, k, column2) || !ends_reference(t, k)) return false;
    ref.kind = Reference::Kind::Columns;
    ref.col1 = a1_part(column, col_dollar, origin.column);
    ref.col2 = a1_part(column2, col2_dollar, origin.column);
    end = k;
    return true;
  }
  // Whole rows: "5:6", "$5:$5".
  if (j >= t.size() || !is_digit(t[j])) return false;
  int row = read_int(t, j);
  if (row < 1 || row > kMaxRows || j >= t.size() || t[j] != ':') return false;
  std::size_t k = j + 1;
  bool row2_dollar = false;
  if (k < t.size() && t[k] == '$') row2_dollar = true, ++k;
  if (k >= t.size() || !is_digit(t[k])) return false;
  int row2 = read_int(t, k);
  if (row2 < 1 || row2 > kMaxRows || !ends_reference(t, k)) return false;
  ref.kind = Reference::Kind::Rows;
  ref.row1 = a1_part(row, col_dollar, origin.row);
  ref.row2 = a1_part(row2, row2_dollar, origin.row);
  end = k;
  return true;
}

bool match_reference(std::string_view t, std::size_t i, Notation notation, CellAddress origin,
                     Reference& ref, std::size_t& end) {
  return notation == Notation::R1C1 ? match_r1c1(t, i, ref, end) : match_a1(t, i, origin, ref, end);
}

// A sheet prefix: "Sheet2!" or "'My sheet'!". Sets `name` and the index after '!'.
bool match_sheet_prefix(std::string_view t, std::size_t i, std::string& name, std::size_t& end) {
  if (i < t.size() && t[i] == '\'') {
    std::string n;
    std::size_t j = i + 1;
    while (j < t.size()) {
      if (t[j] == '\'') {
        if (j + 1 < t.size() && t[j + 1] == '\'') {
          n.push_back('\'');
          j += 2;
          continue;
        }
        break;
      }
      n.push_back(t[j++]);
    }
    if (j + 1 >= t.size() || t[j] != '\'' || t[j + 1] != '!' || n.empty()) return false;
    name = std::move(n);
    end = j + 2;
    return true;
  }
  std::size_t j = i;
  while (j < t.size() && is_name_char(t[j])) ++j;
  if (j == i || j >= t.size() || t[j] != '!') return false;
  name.assign(t.substr(i, j - i));
  end = j + 1;
  return true;
}

struct ErrorLiteral {
  std::string_view text;
  ErrorCode code;
};
constexpr std::array<ErrorLiteral, 7> kErrorLiterals{{
    {"#NULL!", ErrorCode::Null},
    {"#DIV/0!", ErrorCode::Div0},
    {"#VALUE!", ErrorCode::Value},
    {"#REF!", ErrorCode::Ref},
    {"#NAME?", ErrorCode::Name},
    {"#NUM!", ErrorCode::Num},
    {"#N/A", ErrorCode::NA},
}};

bool match_error(std::string_view t, std::size_t i, ErrorCode& code, std::size_t& end) {
  for (const auto& e : kErrorLiterals) {
    if (t.size() - i >= e.text.size() && equal_text_ci(t.substr(i, e.text.size()), e.text)) {
      code = e.code;
      end = i + e.text.size();
      return true;
    }
  }
  return false;
}

bool match_number(std::string_view t, std::size_t i, double& value, std::size_t& end) {
  std::size_t j = i;
  std::size_t digits = 0;
  while (j < t.size() && is_digit(t[j])) ++j, ++digits;
  if (j < t.size() && t[j] == '.') {
    ++j;
    while (j < t.size() && is_digit(t[j])) ++j, ++digits;
  }
  if (digits == 0) return false;
  if (j < t.size() && (t[j] == 'e' || t[j] == 'E')) {
    std::size_t k = j + 1;
    if (k < t.size() && (t[k] == '+' || t[k] == '-')) ++k;
    std::size_t exp_start = k;
    while (k < t.size() && is_digit(t[k])) ++k;
    if (k > exp_start) j = k;
  }
  std::string copy(t.substr(i, j - i));
  value = std::strtod(copy.c_str(), nullptr);
  end = j;
  return true;
}

}  // namespace

LexResult tokenize(std::string_view t, Notation notation, CellAddress origin) {
  LexResult result;
  auto fail = [&](std::string message, std::size_t pos) {
    result.error = ParseError{std::move(message), pos};
    return result;
  };
  std::size_t i = 0;
  while (true) {
    Token tok;
    const std::size_t space_start = i;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\n' || t[i] == '\r' || t[i] == '\t')) ++i;
    tok.space.assign(t.substr(space_start, i - space_start));
    tok.position = i;
    if (i >= t.size()) {
      tok.kind = TokenKind::End;
      result.tokens.push_back(std::move(tok));
      return result;
    }
    const char c = t[i];
    std::size_t end = i + 1;

    if (c == '"') {
      std::string s;
      std::size_t j = i + 1;
      bool closed = false;
      while (j < t.size()) {
        if (t[j] == '"') {
          if (j + 1 < t.size() && t[j + 1] == '"') {
            s.push_back('"');
            j += 2;
            continue;
          }
          closed = true;
          break;
        }
        s.push_back(t[j++]);
      }
      if (!closed) return fail("unterminated text", i);
      tok.kind = TokenKind::String;
      tok.string = std::move(s);
      end = j + 1;
    } else if (c == '#') {
      if (!match_error(t, i, tok.error, end)) return fail("unknown error value", i);
      tok.kind = TokenKind::Error;
    } else if (std::string sheet;
               (c == '\'' || is_name_start(c)) && match_sheet_prefix(t, i, sheet, end)) {
      std::size_t ref_start = end;
      if (ErrorCode e; match_error(t, ref_start, e, end) && e == ErrorCode::Ref) {
        tok.reference.kind = Reference::Kind::Invalid;
      } else if (!match_reference(t, ref_start, notation, origin, tok.reference, end)) {
        return fail("reference expected after sheet name", ref_start);
      }
      tok.reference.sheet = std::move(sheet);
      tok.kind = TokenKind::Reference;
    } else if ((is_name_start(c) || c == '$' || (notation == Notation::A1 && is_digit(c))) &&
               match_reference(t, i, notation, origin, tok.reference, end)) {
      tok.kind = TokenKind::Reference;
    } else if (is_digit(c) || (c == '.' && i + 1 < t.size() && is_digit(t[i + 1]))) {
      match_number(t, i, tok.number, end);
      tok.kind = TokenKind::Number;
    } else if (is_name_start(c)) {
      std::size_t j = i;
      while (j < t.size() && is_name_char(t[j])) ++j;
      tok.string.assign(t.substr(i, j - i));
      end = j;
      if (j < t.size() && t[j] == '(') {
        tok.kind = TokenKind::Function;
      } else if (equal_text_ci(tok.string, "TRUE") || equal_text_ci(tok.string, "FALSE")) {
        tok.kind = TokenKind::Boolean;
        tok.boolean = equal_text_ci(tok.string, "TRUE");
      } else {
        tok.kind = TokenKind::Name;
      }
    } else {
      switch (c) {
        case '+':
        case '-':
        case '*':
        case '/':
        case '^':
        case '&':
        case '=':
        case '%':
          tok.kind = TokenKind::Operator;
          break;
        case '<':
          tok.kind = TokenKind::Operator;
          if (i + 1 < t.size() && (t[i + 1] == '>' || t[i + 1] == '=')) end = i + 2;
          break;
        case '>':
          tok.kind = TokenKind::Operator;
          if (i + 1 < t.size() && t[i + 1] == '=') end = i + 2;
          break;
        case ':':
          tok.kind = TokenKind::Colon;
          break;
        case ',':
          tok.kind = TokenKind::Comma;
          break;
        case ';':
          tok.kind = TokenKind::Semicolon;
          break;
        case '(':
          tok.kind = TokenKind::LeftParen;
          break;
        case ')':
          tok.kind = TokenKind::RightParen;
          break;
        case '{':
          tok.kind = TokenKind::LeftBrace;
          break;
        case '}':
          tok.kind = TokenKind::RightBrace;
          break;
        default:
          return fail(std::string("unexpected character '") + c + "'", i);
      }
    }
    tok.text = t.substr(i, end - i);
    result.tokens.push_back(std::move(tok));
    i = end;
  }
}

bool read_reference_text(std::string_view text, Notation notation, CellAddress origin,
                         Reference& out) {
  std::size_t b = 0;
  std::size_t e = text.size();
  while (b < e && text[b] == ' ') ++b;
  while (e > b && text[e - 1] == ' ') --e;
  std::string_view t = text.substr(b, e - b);
  std::size_t i = 0;
  Reference ref;
  if (std::string sheet; match_sheet_prefix(t, 0, sheet, i)) ref.sheet = std::move(sheet);
  std::size_t end = 0;
  if (!match_reference(t, i, notation, origin, ref, end)) return false;
  if (end < t.size() && t[end] == ':' && ref.kind == Reference::Kind::Cell) {
    Reference second;
    std::size_t end2 = 0;
    if (!match_reference(t, end + 1, notation, origin, second, end2) ||
        second.kind != Reference::Kind::Cell)
      return false;
    ref.kind = Reference::Kind::Area;
    ref.row2 = second.row1;
    ref.col2 = second.col1;
    end = end2;
  }
  if (end != t.size()) return false;
  out = std::move(ref);
  return true;
}

std::string column_letters(int column) {
  std::string s;
  while (column > 0) {
    int r = (column - 1) % 26;
    s.insert(s.begin(), static_cast<char>('A' + r));
    column = (column - 1) / 26;
  }
  return s;
}

}  // namespace fb::sheet::formula
