#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace fb::sheet::xlt {

struct TemplateFont {
  std::string name;  // UTF-8
  double size = 0;   // points
  bool bold = false;
  bool italic = false;
  int charset = 0;
};

struct TemplateStyle {
  std::string name;     // "Normal", "Comma [0]" ... for built-in styles
  int builtin_id = -1;  // -1 for a user-defined style
  int font_index = 0;   // into TemplateBook::fonts (the file's numbering, which skips 4)
  std::string number_format;
};

struct TemplateSheet {
  std::string name;
  bool visible = true;
  bool selected = false;
  int default_column_width = 8;       // whole characters
  double default_row_height = 12.75;  // points
};

// What the host takes from a 97-2003 workbook template: its sheets, fonts, styles and the sheets'
// default sizes. Cells are not read: the report template has none.
struct TemplateBook {
  std::vector<TemplateFont> fonts;  // index as the file numbers them; entry 4 is a placeholder
  std::vector<TemplateStyle> styles;
  std::vector<TemplateSheet> sheets;
  int active_sheet = 0;  // 0-based
  int code_page = 0;
  int country = 0;

  // The font of the Normal style (the workbook's standard font); the first font when the file
  // has no Normal style.
  const TemplateFont& standard_font() const;
};

// Reads the records of a workbook stream. Throws TemplateError when a record runs past the
// stream, the stream is not BIFF8, or it has no sheet or no font.
TemplateBook read_workbook_stream(const std::vector<std::uint8_t>& stream);

// Reads a template's bytes: the compound-file container and the workbook stream inside.
// Throws TemplateError when they are not such a workbook.
TemplateBook read_template(std::vector<std::uint8_t> bytes);

// Reads a template file: its compound-file container and the workbook stream inside.
// Throws TemplateError for a file that cannot be read or is not such a workbook.
TemplateBook read_template_file(const std::filesystem::path& file);

}  // namespace fb::sheet::xlt
