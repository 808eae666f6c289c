#include "platform/xlsx/package_parts.h"
#include "platform/xlsx/xml_writer.h"

namespace fb::xlsx {
namespace {

constexpr std::string_view kMainNamespace =
    "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

bool needs_preserved_space(std::string_view text) {
  if (text.empty()) return false;
  const auto is_space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  return is_space(text.front()) || is_space(text.back()) ||
         text.find('\n') != std::string_view::npos;
}

bool is_hex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Readers decode "_xHHHH_" in cell texts to the character HHHH; a text that holds such a
// sequence literally has its underscore escaped as "_x005F_" to read back unchanged. A carriage
// return is written as such a sequence too: an XML reader turns one in text into a line feed.
std::string protect_escapes(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += "_x000D_";
    } else if (text[i] == '_' && i + 6 < text.size() && text[i + 1] == 'x' && is_hex(text[i + 2]) &&
               is_hex(text[i + 3]) && is_hex(text[i + 4]) && is_hex(text[i + 5]) &&
               text[i + 6] == '_') {
      out += "_x005F_";
    } else {
      out += text[i];
    }
  }
  return out;
}

void write_string_item(XmlWriter& xml, std::string_view text) {
  xml.open("si");
  const std::string protected_text = protect_escapes(text);
  if (needs_preserved_space(text)) {
    xml.text_element("t", protected_text, {{"xml:space", "preserve"}});
  } else {
    xml.text_element("t", protected_text);
  }
  xml.close();
}

}  // namespace

std::uint32_t SharedStrings::add(std::string_view text) {
  ++uses_;
  const auto [it, inserted] =
      index_.try_emplace(std::string(text), static_cast<std::uint32_t>(texts_.size()));
  if (inserted) texts_.emplace_back(text);
  return it->second;
}

std::string shared_strings_xml(const SharedStrings& strings) {
  XmlWriter xml;
  xml.open("sst", {{"xmlns", std::string(kMainNamespace)},
                   {"count", std::to_string(strings.use_count())},
                   {"uniqueCount", std::to_string(strings.texts().size())}});
  for (const auto& text : strings.texts()) write_string_item(xml, text);
  xml.close();
  return xml.finish();
}

}  // namespace fb::xlsx
