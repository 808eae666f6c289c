#include "platform/sheet/formula/printer.h"

#include "platform/sheet/formula/function_table.h"
#include "platform/sheet/formula/lexer.h"

namespace fb::sheet::formula {

namespace {

std::string r1c1_part(char letter, const RefPart& p) {
  std::string s(1, letter);
  if (p.absolute) {
    s += std::to_string(p.value);
  } else if (p.value != 0) {
    s += '[' + std::to_string(p.value) + ']';
  }
  return s;
}

std::string a1_row(const RefPart& p, int origin) {
  return (p.absolute ? "$" : "") + std::to_string(p.resolve(origin));
}

std::string a1_column(const RefPart& p, int origin) {
  return (p.absolute ? "$" : "") + column_letters(p.resolve(origin));
}

bool in_grid(const Reference& r, CellAddress origin) {
  auto row_ok = [&](const RefPart& p) {
    int v = p.resolve(origin.row);
    return v >= 1 && v <= kMaxRows;
  };
  auto col_ok = [&](const RefPart& p) {
    int v = p.resolve(origin.column);
    return v >= 1 && v <= kMaxColumns;
  };
  switch (r.kind) {
    case Reference::Kind::Cell:
      return row_ok(r.row1) && col_ok(r.col1);
    case Reference::Kind::Area:
      return row_ok(r.row1) && col_ok(r.col1) && row_ok(r.row2) && col_ok(r.col2);
    case Reference::Kind::Columns:
      return col_ok(r.col1) && col_ok(r.col2);
    case Reference::Kind::Rows:
      return row_ok(r.row1) && row_ok(r.row2);
    case Reference::Kind::Invalid:
      return false;
  }
  return false;
}

bool is_plain_char(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '.' || static_cast<unsigned char>(c) >= 0x80;
}

// A name that could be read as a reference ("A1", "R1C1", "C5") must be quoted too.
bool looks_like_reference(const std::string& s) {
  Reference r;
  return read_reference_text(s, Notation::A1, {1, 1}, r) ||
         read_reference_text(s, Notation::R1C1, {1, 1}, r);
}

class Printer {
 public:
  Printer(const Formula& f, Notation n, CellAddress o) : f_(f), notation_(n), origin_(o) {}

  void node(std::uint32_t i) {
    const Node& n = f_.node(i);
    out_ += f_.spaces[n.lead_space];
    switch (n.kind) {
      case NodeKind::Constant:
        constant(f_.constants[n.index]);
        break;
      case NodeKind::Reference:
        out_ += print_reference(f_.references[n.index], notation_, origin_);
        break;
      case NodeKind::Array:
        array(f_.arrays[n.index]);
        break;
      case NodeKind::Name:
        out_ += f_.names[n.index];
        break;
      case NodeKind::Missing:
        break;
      case NodeKind::Unary:
        out_ += static_cast<UnaryOp>(n.code) == UnaryOp::Minus ? "-" : "+";
        node(f_.child(n, 0));
        break;
      case NodeKind::Percent:
        node(f_.child(n, 0));
        out_ += f_.spaces[n.inner_space];
        out_ += '%';
        break;
      case NodeKind::Binary:
        node(f_.child(n, 0));
        out_ += f_.spaces[n.inner_space];
        out_ += op_text(static_cast<BinaryOp>(n.code));
        node(f_.child(n, 1));
        break;
      case NodeKind::Paren:
        out_ += '(';
        node(f_.child(n, 0));
        out_ += f_.spaces[n.inner_space];
        out_ += ')';
        break;
      case NodeKind::Call:
      case NodeKind::UserCall:
        out_ += n.kind == NodeKind::Call ? function_info(static_cast<FunctionId>(n.code)).name
                                         : std::string_view(f_.names[n.index]);
        out_ += '(';
        for (std::uint32_t k = 0; k < n.child_count; ++k) {
          if (k > 0) out_ += ',';
          node(f_.child(n, k));
        }
        out_ += f_.spaces[n.inner_space];
        out_ += ')';
        break;
    }
  }

  std::string take() { return std::move(out_); }

 private:
  static std::string_view op_text(BinaryOp op) {
    switch (op) {
      case BinaryOp::Range:
        return ":";
      case BinaryOp::Power:
        return "^";
      case BinaryOp::Multiply:
        return "*";
      case BinaryOp::Divide:
        return "/";
      case BinaryOp::Add:
        return "+";
      case BinaryOp::Subtract:
        return "-";
      case BinaryOp::Concat:
        return "&";
      case BinaryOp::Equal:
        return "=";
      case BinaryOp::NotEqual:
        return "<>";
      case BinaryOp::Less:
        return "<";
      case BinaryOp::LessEqual:
        return "<=";
      case BinaryOp::Greater:
        return ">";
      case BinaryOp::GreaterEqual:
        return ">=";
    }
    return "?";
  }

  void constant(const Value& v) {
    if (is_text(v)) {
      out_ += '"';
      for (char c : std::get<std::string>(v)) {
        if (c == '"') out_ += '"';
        out_ += c;
      }
      out_ += '"';
    } else {
      out_ += value_text(v);
    }
  }

  void array(const ArrayConstant& a) {
    out_ += '{';
    for (int r = 0; r < a.rows; ++r) {
      if (r > 0) out_ += ';';
      for (int c = 0; c < a.columns; ++c) {
        if (c > 0) out_ += ',';
        constant(a.values[static_cast<std::size_t>(r * a.columns + c)]);
      }
    }
    out_ += '}';
  }

  const Formula& f_;
  Notation notation_;
  CellAddress origin_;
  std::string out_;
};

}  // namespace

std::string sheet_prefix(const std::string& sheet) {
  if (sheet.empty()) return {};
  bool plain = !(sheet[0] >= '0' && sheet[0] <= '9') && sheet[0] != '.';
  for (char c : sheet) plain = plain && is_plain_char(c);
  if (plain && !looks_like_reference(sheet)) return sheet + "!";
  std::string quoted = "'";
  for (char c : sheet) {
    if (c == '\'') quoted += '\'';
    quoted += c;
  }
  return quoted + "'!";
}

std::string print_reference(const Reference& ref, Notation notation, CellAddress origin) {
  std::string s = sheet_prefix(ref.sheet);
  if (ref.kind == Reference::Kind::Invalid || (notation == Notation::A1 && !in_grid(ref, origin))) {
    return s + "#REF!";
  }
  if (notation == Notation::R1C1) {
    switch (ref.kind) {
      case Reference::Kind::Cell:
        return s + r1c1_part('R', ref.row1) + r1c1_part('C', ref.col1);
      case Reference::Kind::Area:
        return s + r1c1_part('R', ref.row1) + r1c1_part('C', ref.col1) + ":" +
               r1c1_part('R', ref.row2) + r1c1_part('C', ref.col2);
      case Reference::Kind::Columns:
        return s + r1c1_part('C', ref.col1) +
               (ref.col1 == ref.col2 ? "" : ":" + r1c1_part('C', ref.col2));
      case Reference::Kind::Rows:
        return s + r1c1_part('R', ref.row1) +
               (ref.row1 == ref.row2 ? "" : ":" + r1c1_part('R', ref.row2));
      case Reference::Kind::Invalid:
        break;
    }
    return s + "#REF!";
  }
  switch (ref.kind) {
    case Reference::Kind::Cell:
      return s + a1_column(ref.col1, origin.column) + a1_row(ref.row1, origin.row);
    case Reference::Kind::Area:
      return s + a1_column(ref.col1, origin.column) + a1_row(ref.row1, origin.row) + ":" +
             a1_column(ref.col2, origin.column) + a1_row(ref.row2, origin.row);
    case Reference::Kind::Columns:
      return s + a1_column(ref.col1, origin.column) + ":" + a1_column(ref.col2, origin.column);
    case Reference::Kind::Rows:
      return s + a1_row(ref.row1, origin.row) + ":" + a1_row(ref.row2, origin.row);
    case Reference::Kind::Invalid:
      break;
  }
  return s + "#REF!";
}

std::string print_formula(const Formula& f, Notation notation, CellAddress origin) {
  Printer p(f, notation, origin);
  p.node(f.root);
  return "=" + p.take();
}

}  // namespace fb::sheet::formula
