#include "platform/sheet/template_workbook.h"

#include "platform/os/host_error.h"
#include "platform/sheet/column_width.h"
#include "platform/sheet/template/template_book.h"
#include "platform/sheet/template/template_error.h"
#include "platform/sheet/workbook.h"

namespace fb::sheet {

void load_template(Workbook& workbook, const std::filesystem::path& file,
                   const std::string& display_name) {
  xlt::TemplateBook book;
  try {
    book = xlt::read_template_file(file);
  } catch (const xlt::TemplateError& e) {
    throw HostError(host_error::kApplicationDefined,
                    "'" + display_name + "' is not a valid workbook template: " + e.what());
  }
  const xlt::TemplateFont& standard = book.standard_font();
  CellFormat normal;
  normal.font.name = standard.name;
  normal.font.size = standard.size;
  normal.font.bold = standard.bold;
  normal.font.italic = standard.italic;
  workbook.formats().set_default(normal);

  for (std::size_t i = 0; i < book.sheets.size(); ++i) {
    const xlt::TemplateSheet& s = book.sheets[i];
    Worksheet& sheet = workbook.insert_sheet(s.name, static_cast<int>(i));
    sheet.set_standard_width(standard_column_width(s.default_column_width, normal.font));
    sheet.set_standard_height(s.default_row_height);
  }
  workbook.set_active_sheet(*workbook.sheets()[static_cast<std::size_t>(book.active_sheet)]);
}

}  // namespace fb::sheet
