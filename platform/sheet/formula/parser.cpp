#include "platform/sheet/formula/parser.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/sheet/formula/function_table.h"
#include "platform/sheet/formula/lexer.h"

namespace fb::sheet::formula {

namespace {

struct ParseFailure {
  std::string message;
  std::size_t position;
};

// The parser and the evaluator both recurse along the formula's tree. A hostile or broken text
// of a few thousand "(" or "-" overflowed the stack; these bounds refuse such a text long before
// that, and lie far beyond any formula a sheet needs (the host itself allows 64 nested calls).
constexpr int kMaxNesting = 512;     // the parser's own recursion: two levels a parenthesis or call
constexpr int kMaxTreeDepth = 1024;  // operators chained on operators ("1+1+...+1")

class Parser {
 public:
  Parser(std::vector<Token> tokens, Formula& f) : tokens_(std::move(tokens)), f_(f) {}

  std::uint32_t parse_all() {
    std::uint32_t root = parse_expression(0);
    if (peek().kind != TokenKind::End) fail("unexpected '" + std::string(peek().text) + "'");
    return root;
  }

 private:
  const Token& peek() const { return tokens_[pos_]; }
  Token& take() { return tokens_[pos_++]; }
  [[noreturn]] void fail(std::string message) const {
    throw ParseFailure{std::move(message), peek().position};
  }

  // Counts one level of the parser's recursion for as long as it lives.
  class Nested {
   public:
    explicit Nested(Parser& parser) : parser_(parser) {
      if (++parser_.nesting_ > kMaxNesting) {
        parser_.fail("the formula is nested too deeply");
      }
    }
    ~Nested() { --parser_.nesting_; }
    Nested(const Nested&) = delete;
    Nested& operator=(const Nested&) = delete;

   private:
    Parser& parser_;
  };

  std::uint32_t space_index(const std::string& s) {
    if (s.empty()) return kNoSpace;
    f_.spaces.push_back(s);
    return static_cast<std::uint32_t>(f_.spaces.size() - 1);
  }

  std::uint32_t add(Node n, std::initializer_list<std::uint32_t> kids = {}) {
    int depth = 1;
    for (const std::uint32_t kid : kids) depth = std::max(depth, depths_[kid] + 1);
    if (depth > kMaxTreeDepth) {
      fail("the formula chains too many operations");
    }
    depths_.push_back(depth);
    n.first_child = static_cast<std::uint32_t>(f_.children.size());
    n.child_count = static_cast<std::uint32_t>(kids.size());
    f_.children.insert(f_.children.end(), kids.begin(), kids.end());
    f_.nodes.push_back(n);
    return static_cast<std::uint32_t>(f_.nodes.size() - 1);
  }

  static int precedence(std::string_view op) {
    if (op == "=" || op == "<>" || op == "<" || op == "<=" || op == ">" || op == ">=") return 1;
    if (op == "&") return 2;
    if (op == "+" || op == "-") return 3;
    if (op == "*" || op == "/") return 4;
    if (op == "^") return 5;
    return -1;
  }

  static BinaryOp binary_op(std::string_view op) {
    if (op == "=") return BinaryOp::Equal;
    if (op == "<>") return BinaryOp::NotEqual;
    if (op == "<") return BinaryOp::Less;
    if (op == "<=") return BinaryOp::LessEqual;
    if (op == ">") return BinaryOp::Greater;
    if (op == ">=") return BinaryOp::GreaterEqual;
    if (op == "&") return BinaryOp::Concat;
    if (op == "+") return BinaryOp::Add;
    if (op == "-") return BinaryOp::Subtract;
    if (op == "*") return BinaryOp::Multiply;
    if (op == "/") return BinaryOp::Divide;
    return BinaryOp::Power;
  }

  // Binary operators are left-associative at every level, "^" included (2^3^2 is 64).
  std::uint32_t parse_expression(int min_precedence) {
    const Nested level(*this);
    std::uint32_t lhs = parse_unary();
    while (peek().kind == TokenKind::Operator) {
      const int p = precedence(peek().text);
      if (p < 0 || p < min_precedence) break;
      Token& op = take();
      Node n;
      n.kind = NodeKind::Binary;
      n.code = static_cast<std::uint16_t>(binary_op(op.text));
      n.inner_space = space_index(op.space);
      std::uint32_t rhs = parse_expression(p + 1);
      lhs = add(n, {lhs, rhs});
    }
    return lhs;
  }

  // Unary minus binds tighter than '^' (-2^2 is 4), '%' tighter than both.
  std::uint32_t parse_unary() {
    const Nested level(*this);
    if (peek().kind == TokenKind::Operator && (peek().text == "-" || peek().text == "+")) {
      Token& op = take();
      Node n;
      n.kind = NodeKind::Unary;
      n.code = static_cast<std::uint16_t>(op.text == "-" ? UnaryOp::Minus : UnaryOp::Plus);
      n.lead_space = space_index(op.space);
      std::uint32_t operand = parse_unary();
      return add(n, {operand});
    }
    std::uint32_t operand = parse_range();
    while (peek().kind == TokenKind::Operator && peek().text == "%") {
      Node n;
      n.kind = NodeKind::Percent;
      n.inner_space = space_index(take().space);
      operand = add(n, {operand});
    }
    return operand;
  }

  static bool combinable(const Reference& a, const Reference& b) {
    if (!b.sheet.empty()) return false;
    if (a.kind == Reference::Kind::Cell && b.kind == Reference::Kind::Cell) return true;
    if (a.kind == Reference::Kind::Columns && b.kind == Reference::Kind::Columns) return true;
    if (a.kind == Reference::Kind::Rows && b.kind == Reference::Kind::Rows) return true;
    return false;
  }

  std::uint32_t parse_range() {
    std::uint32_t lhs = parse_primary();
    while (peek().kind == TokenKind::Colon) {
      Token& colon = take();
      const Node& left = f_.nodes[lhs];
      if (left.kind == NodeKind::Reference && colon.space.empty() &&
          peek().kind == TokenKind::Reference && peek().space.empty() &&
          combinable(f_.references[left.index], peek().reference)) {
        Reference& a = f_.references[left.index];
        const Reference& b = take().reference;
        if (a.kind == Reference::Kind::Cell) a.kind = Reference::Kind::Area;
        a.row2 = b.row2;
        a.col2 = b.col2;
        continue;
      }
      Node n;
      n.kind = NodeKind::Binary;
      n.code = static_cast<std::uint16_t>(BinaryOp::Range);
      n.inner_space = space_index(colon.space);
      std::uint32_t rhs = parse_primary();
      lhs = add(n, {lhs, rhs});
    }
    return lhs;
  }

  std::uint32_t parse_primary() {
    Token& tok = take();
    Node n;
    n.lead_space = space_index(tok.space);
    switch (tok.kind) {
      case TokenKind::Number:
        f_.constants.emplace_back(std::in_place_type<double>, tok.number);
        return add_constant(n);
      case TokenKind::String:
        f_.constants.emplace_back(std::in_place_type<std::string>, std::move(tok.string));
        return add_constant(n);
      case TokenKind::Boolean:
        f_.constants.emplace_back(std::in_place_type<bool>, tok.boolean);
        return add_constant(n);
      case TokenKind::Error:
        f_.constants.emplace_back(std::in_place_type<ErrorCode>, tok.error);
        return add_constant(n);
      case TokenKind::Reference:
        n.kind = NodeKind::Reference;
        n.index = static_cast<std::uint32_t>(f_.references.size());
        f_.references.push_back(std::move(tok.reference));
        return add(n);
      case TokenKind::Name:
        n.kind = NodeKind::Name;
        n.index = static_cast<std::uint32_t>(f_.names.size());
        f_.names.push_back(std::move(tok.string));
        return add(n);
      case TokenKind::LeftParen: {
        n.kind = NodeKind::Paren;
        std::uint32_t inner = parse_expression(0);
        if (peek().kind != TokenKind::RightParen) fail("')' expected");
        n.inner_space = space_index(take().space);
        return add(n, {inner});
      }
      case TokenKind::LeftBrace:
        --pos_;
        return parse_array(n);
      case TokenKind::Function:
        return parse_call(n, tok);
      default:
        --pos_;
        fail(tok.kind == TokenKind::End ? "unexpected end of formula"
                                        : "unexpected '" + std::string(tok.text) + "'");
    }
  }

  // The constant itself has just been appended to Formula::constants.
  std::uint32_t add_constant(Node n) {
    n.kind = NodeKind::Constant;
    n.index = static_cast<std::uint32_t>(f_.constants.size() - 1);
    return add(n);
  }

  Value parse_array_element() {
    bool negative = false;
    if (peek().kind == TokenKind::Operator && (peek().text == "-" || peek().text == "+")) {
      negative = take().text == "-";
      if (peek().kind != TokenKind::Number) fail("number expected in array");
    }
    Token& tok = take();
    switch (tok.kind) {
      case TokenKind::Number:
        return Value(negative ? -tok.number : tok.number);
      case TokenKind::String:
        return Value(std::move(tok.string));
      case TokenKind::Boolean:
        return Value(tok.boolean);
      case TokenKind::Error:
        return Value(tok.error);
      default:
        --pos_;
        fail("constant expected in array");
    }
  }

  std::uint32_t parse_array(Node n) {
    take();  // '{'
    ArrayConstant a;
    int columns_in_row = 0;
    while (true) {
      a.values.push_back(parse_array_element());
      ++columns_in_row;
      if (peek().kind == TokenKind::Comma) {
        take();
        continue;
      }
      if (a.rows == 0) a.columns = columns_in_row;
      if (columns_in_row != a.columns) fail("array rows differ in length");
      ++a.rows;
      columns_in_row = 0;
      if (peek().kind == TokenKind::Semicolon) {
        take();
        continue;
      }
      if (peek().kind != TokenKind::RightBrace) fail("'}' expected");
      take();
      break;
    }
    n.kind = NodeKind::Array;
    n.index = static_cast<std::uint32_t>(f_.arrays.size());
    f_.arrays.push_back(std::move(a));
    return add(n);
  }

  std::uint32_t parse_argument() {
    if (peek().kind == TokenKind::Comma || peek().kind == TokenKind::RightParen) {
      Node n;
      n.kind = NodeKind::Missing;
      n.lead_space = space_index(peek().space);
      return add(n);
    }
    return parse_expression(0);
  }

  std::uint32_t parse_call(Node n, Token& name_token) {
    const std::size_t name_position = name_token.position;
    std::string name = std::move(name_token.string);
    take();  // '('
    std::vector<std::uint32_t> args;
    if (peek().kind != TokenKind::RightParen) {
      while (true) {
        args.push_back(parse_argument());
        if (peek().kind == TokenKind::Comma) {
          take();
          continue;
        }
        break;
      }
    }
    if (peek().kind != TokenKind::RightParen) fail("')' expected");
    n.inner_space = space_index(take().space);

    if (auto id = find_function(name)) {
      const FunctionInfo& info = function_info(*id);
      if (args.size() < info.min_args ||
          (info.max_args != kVariadic && args.size() > info.max_args) || args.size() > 255) {
        throw ParseFailure{"wrong number of arguments to " + std::string(info.name), name_position};
      }
      n.kind = NodeKind::Call;
      n.code = static_cast<std::uint16_t>(*id);
      if (info.is_volatile) f_.is_volatile = true;
    } else {
      n.kind = NodeKind::UserCall;
      n.index = static_cast<std::uint32_t>(f_.names.size());
      f_.names.push_back(std::move(name));
    }
    int depth = 1;
    for (const std::uint32_t arg : args) depth = std::max(depth, depths_[arg] + 1);
    depths_.push_back(depth);
    n.first_child = static_cast<std::uint32_t>(f_.children.size());
    n.child_count = static_cast<std::uint32_t>(args.size());
    f_.children.insert(f_.children.end(), args.begin(), args.end());
    f_.nodes.push_back(n);
    return static_cast<std::uint32_t>(f_.nodes.size() - 1);
  }

  std::vector<Token> tokens_;
  std::size_t pos_ = 0;
  Formula& f_;
  int nesting_ = 0;
  std::vector<int> depths_;  // of each node's subtree, by node index
};

}  // namespace

ParseResult parse_formula(std::string_view text, Notation notation, CellAddress origin) {
  ParseResult result;
  std::size_t offset = 0;
  if (!text.empty() && text.front() == '=') offset = 1;
  LexResult lexed = tokenize(text.substr(offset), notation, origin);
  if (lexed.error) {
    lexed.error->position += offset;
    result.error = std::move(lexed.error);
    return result;
  }
  auto f = std::make_shared<Formula>();
  try {
    Parser parser(std::move(lexed.tokens), *f);
    f->root = parser.parse_all();
  } catch (const ParseFailure& failure) {
    result.error = ParseError{failure.message, failure.position + offset};
    return result;
  }
  result.formula = std::move(f);
  return result;
}

}  // namespace fb::sheet::formula
