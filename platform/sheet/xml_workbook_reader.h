#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace fb::sheet {

class Worksheet;

// An XML file laid out as rows, the way the host opens an XML file without a schema: row 1 the
// leading row (the document element's path, "/NODES"), row 2 the heading row (one attribute path
// per column, "/NODES/NODE/@Caption"), then one row per child element of the document element
// with its attributes in the columns of their names, in the order the names are first met. Text
// stays text (a caption "007" keeps its zeros).
struct XmlRows {
  std::vector<std::vector<std::string>> rows;  // leading row, heading row, element rows
};

// Throws fb::HostError 1004 naming the file when it cannot be read or is not well-formed XML.
XmlRows read_xml_rows(const std::filesystem::path& file, const std::string& display_name);

// Writes the rows into the sheet from A1 down, texts as text and empty strings as empty cells.
void write_rows(Worksheet& sheet, const XmlRows& rows);

}  // namespace fb::sheet
