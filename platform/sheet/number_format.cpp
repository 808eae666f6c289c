#include "platform/sheet/number_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/os/environment.h"

namespace fb::sheet {
namespace {

std::vector<std::string_view> split_sections(std::string_view code) {
  std::vector<std::string_view> sections;
  bool quoted = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i < code.size(); ++i) {
    if (code[i] == '"') quoted = !quoted;
    if (code[i] == '\\' && !quoted) {
      ++i;
      continue;
    }
    if (code[i] == ';' && !quoted) {
      sections.push_back(code.substr(start, i - start));
      start = i + 1;
    }
  }
  sections.push_back(code.substr(start));
  return sections;
}

// One section, taken apart into the text before the number, the number's shape and the text
// after it.
struct Shape {
  std::string prefix;
  std::string suffix;
  int integer_zeros = 0;
  int decimals = 0;
  bool thousands = false;
  int percents = 0;
  bool has_digits = false;
};

Shape parse_section(std::string_view s) {
  Shape shape;
  bool after_point = false;
  bool seen_digit = false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    std::string* literal = seen_digit ? &shape.suffix : &shape.prefix;
    switch (c) {
      case '0':
      case '#':
      case '?':
        if (!shape.suffix.empty() && seen_digit && !after_point) {
          // Digits after literal text belong to the same number in our simple model.
        }
        seen_digit = true;
        shape.has_digits = true;
        if (after_point) {
          ++shape.decimals;
        } else if (c == '0') {
          ++shape.integer_zeros;
        }
        break;
      case '.':
        if (seen_digit || (i + 1 < s.size() && (s[i + 1] == '0' || s[i + 1] == '#'))) {
          after_point = true;
          seen_digit = true;
          shape.has_digits = true;
        } else {
          literal->push_back(c);
        }
        break;
      case ',':
        if (seen_digit && !after_point) {
          shape.thousands = true;
        } else {
          literal->push_back(c);
        }
        break;
      case '%':
        ++shape.percents;
        literal->push_back('%');
        break;
      case '_':
        if (i + 1 < s.size()) ++i;
        literal->push_back(' ');
        break;
      case '\\':
        if (i + 1 < s.size()) literal->push_back(s[++i]);
        break;
      case '"': {
        const std::size_t end = s.find('"', i + 1);
        literal->append(s.substr(i + 1, end == std::string_view::npos ? s.npos : end - i - 1));
        i = end == std::string_view::npos ? s.size() : end;
        break;
      }
      case '*':
        if (i + 1 < s.size()) ++i;  // fill character: no width to fill here
        break;
      default:
        literal->push_back(c);
    }
  }
  return shape;
}

std::string render_number(double magnitude, const Shape& shape) {
  for (int i = 0; i < shape.percents; ++i) magnitude *= 100;
  // Halves round away from zero, judged on the 15 significant digits the host keeps (1.005 shows
  // as 1.01 with two decimals, although its binary value lies just below).
  char buffer[400];
  double scaled = magnitude * std::pow(10.0, shape.decimals);
  std::snprintf(buffer, sizeof buffer, "%.15g", scaled);
  scaled = std::round(std::strtod(buffer, nullptr));
  std::snprintf(buffer, sizeof buffer, "%.*f", shape.decimals,
                scaled / std::pow(10.0, shape.decimals));
  std::string digits = buffer;
  std::string integer = digits.substr(0, digits.find('.'));
  std::string fraction =
      digits.find('.') == std::string::npos ? std::string() : digits.substr(digits.find('.'));
  if (integer == "0" && shape.integer_zeros == 0) integer.clear();
  while (static_cast<int>(integer.size()) < shape.integer_zeros) integer.insert(0, "0");
  if (shape.thousands) {
    for (int pos = static_cast<int>(integer.size()) - 3; pos > 0; pos -= 3) {
      integer.insert(static_cast<std::size_t>(pos), ",");
    }
  }
  return integer + fraction;
}

}  // namespace

std::string format_value(const Value& value, std::string_view number_format) {
  if (!is_number(value)) return value_text(value);
  const double number = std::get<double>(value);
  if (number_format.empty() || fb::os::equals_ignoring_ascii_case(number_format, "General")) {
    return general_number_text(number);
  }
  const auto sections = split_sections(number_format);
  std::string_view section = sections[0];
  bool sign = number < 0;
  if (number < 0 && sections.size() >= 2) {
    section = sections[1];
    sign = false;
  } else if (number == 0 && sections.size() >= 3) {
    section = sections[2];
  }
  if (fb::os::equals_ignoring_ascii_case(section, "General")) {
    return (sign ? "-" : "") + general_number_text(std::fabs(number));
  }
  const Shape shape = parse_section(section);
  if (!shape.has_digits) return shape.prefix + shape.suffix;
  std::string body = render_number(std::fabs(number), shape);
  // A negative number that rounds to zero shows without its sign, as the host shows it.
  bool all_zero = true;
  for (char c : body) {
    if (c >= '1' && c <= '9') all_zero = false;
  }
  return (sign && !all_zero ? "-" : "") + shape.prefix + body + shape.suffix;
}

}  // namespace fb::sheet
