#include "platform/sheet/xml_workbook_reader.h"

#include <pugixml.hpp>

#include "platform/os/host_error.h"
#include "platform/sheet/worksheet.h"

namespace fb::sheet {

XmlRows read_xml_rows(const std::filesystem::path& file, const std::string& display_name) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) {
    throw HostError(host_error::kApplicationDefined, "'" + display_name + "' could not be found");
  }
  pugi::xml_document doc;
  const pugi::xml_parse_result parsed =
      doc.load_file(file.c_str(), pugi::parse_default, pugi::encoding_auto);
  if (!parsed) {
    throw HostError(host_error::kApplicationDefined,
                    "'" + display_name + "' is not a valid XML file: " + parsed.description());
  }
  const pugi::xml_node root = doc.document_element();
  if (!root) {
    throw HostError(host_error::kApplicationDefined, "'" + display_name + "' has no content");
  }
  const std::string root_path = "/" + std::string(root.name());
  std::vector<std::string> headings;  // attribute paths in the order first met
  std::vector<std::vector<std::string>> element_rows;
  for (pugi::xml_node element : root.children()) {
    if (element.type() != pugi::node_element) continue;
    std::vector<std::string> row(headings.size());
    for (pugi::xml_attribute attribute : element.attributes()) {
      const std::string path =
          root_path + "/" + element.name() + "/@" + std::string(attribute.name());
      std::size_t column = 0;
      while (column < headings.size() && headings[column] != path) ++column;
      if (column == headings.size()) headings.push_back(path);
      if (row.size() <= column) row.resize(column + 1);
      row[column] = attribute.value();
    }
    element_rows.push_back(std::move(row));
  }
  XmlRows result;
  result.rows.push_back({root_path});
  result.rows.push_back(headings);
  for (auto& row : element_rows) result.rows.push_back(std::move(row));
  return result;
}

void write_rows(Worksheet& sheet, const XmlRows& rows) {
  for (std::size_t r = 0; r < rows.rows.size(); ++r) {
    for (std::size_t c = 0; c < rows.rows[r].size(); ++c) {
      if (rows.rows[r][c].empty()) continue;
      Cell& cell = sheet.store().at({static_cast<int>(r) + 1, static_cast<int>(c) + 1});
      cell.value = rows.rows[r][c];
    }
  }
}

}  // namespace fb::sheet
