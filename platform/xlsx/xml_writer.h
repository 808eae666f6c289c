#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fb::xlsx {

// One attribute: name and its (unescaped) value.
using XmlAttribute = std::pair<std::string_view, std::string>;
using XmlAttributes = std::initializer_list<XmlAttribute>;

// Builds one XML part as text: the standalone declaration, then elements without indentation,
// the way spreadsheet programs write their parts (so expected texts in tests stay exact).
class XmlWriter {
 public:
  XmlWriter();

  void open(std::string_view name, XmlAttributes attributes = {});
  // Like open, with attributes gathered at run time.
  void open(std::string_view name, const std::vector<XmlAttribute>& attributes);
  void close();
  void empty(std::string_view name, XmlAttributes attributes = {});
  void empty(std::string_view name, const std::vector<XmlAttribute>& attributes);
  void text_element(std::string_view name, std::string_view text, XmlAttributes attributes = {});

  // The finished part; every opened element must be closed.
  std::string finish();

 private:
  void start_tag(std::string_view name, const XmlAttribute* first, const XmlAttribute* last);

  std::string out_;
  std::vector<std::string> open_;
};

// Text with &, <, > and quotes escaped, and characters XML 1.0 cannot carry (control
// characters other than tab, line feed and carriage return) written as the _xHHHH_ escape
// that spreadsheet readers decode.
std::string escape_xml(std::string_view text);

// A number as XML carries it: the shortest text that reads back as the same double.
std::string number_text(double value);
// A measure (width, margin, size) to 15 significant digits, so 28.8 / 72 reads "0.4".
std::string measure_text(double value);

}  // namespace fb::xlsx
