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

void write_string_item(XmlWriter& xml, std::string_view text) {
  xml.open("si");
  if (needs_preserved_space(text)) {
    xml.text_element("t", text, {{"xml:space", "preserve"}});
  } else {
    xml.text_element("t", text);
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
