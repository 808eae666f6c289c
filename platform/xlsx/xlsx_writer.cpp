#include "platform/xlsx/xlsx_writer.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <stdexcept>

#include "platform/os/atomic_file.h"
#include "platform/xlsx/package_layout.h"
#include "platform/xlsx/package_parts.h"
#include "platform/xlsx/zip_package.h"

namespace fb::xlsx {
namespace {

std::string folded(std::string_view name) {
  std::string out(name);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

void check_style(const Document& document, const Sheet& sheet, StyleIndex style) {
  if (style >= document.styles.size()) {
    throw std::invalid_argument("sheet \"" + sheet.name + "\" uses style " + std::to_string(style) +
                                " of " + std::to_string(document.styles.size()));
  }
}

void check_document(const Document& document) {
  if (document.sheets.empty()) throw std::invalid_argument("a workbook needs a sheet");
  if (document.styles.empty()) throw std::invalid_argument("a workbook needs a default style");
  if (document.active_sheet < 0 ||
      document.active_sheet >= static_cast<int>(document.sheets.size())) {
    throw std::invalid_argument("the active sheet is not a sheet of the workbook");
  }
  if (document.sheets[static_cast<std::size_t>(document.active_sheet)].state !=
      SheetState::Visible) {
    throw std::invalid_argument("the active sheet is hidden");
  }
  std::set<std::string> names;
  for (const auto& sheet : document.sheets) {
    // The same rules the host applies when a sheet is named.
    if (sheet.name.empty() || sheet.name.size() > 31 * 3 ||
        sheet.name.find_first_of(":\\/?*[]") != std::string::npos) {
      throw std::invalid_argument("sheet name \"" + sheet.name + "\" cannot be written");
    }
    if (!names.insert(folded(sheet.name)).second) {
      throw std::invalid_argument("sheet name \"" + sheet.name + "\" is used twice");
    }
    for (const auto& cell : sheet.cells) check_style(document, sheet, cell.style);
    for (const auto& span : sheet.columns) {
      if (span.style) check_style(document, sheet, *span.style);
    }
    for (const auto& [row, format] : sheet.rows) {
      if (row < 1 || row > sheet::kMaxRows) {
        throw std::invalid_argument("sheet \"" + sheet.name + "\" formats row " +
                                    std::to_string(row) + " outside the grid");
      }
      if (format.style) check_style(document, sheet, *format.style);
    }
  }
}

std::string part_path(std::string_view folder, std::string_view stem, int number,
                      std::string_view suffix) {
  return std::string(folder) + std::string(stem) + std::to_string(number) + std::string(suffix);
}

}  // namespace

std::string package_bytes(const Document& document) {
  check_document(document);
  const PackageLayout layout = plan_package(document);
  const sheet::Font& default_font = document.styles.front().font;

  ZipPackage zip;
  zip.add("[Content_Types].xml", content_types_xml(layout));
  zip.add("_rels/.rels", relationships_xml(layout.package_relationships));
  zip.add("docProps/app.xml", app_properties_xml(document));
  zip.add("docProps/core.xml", core_properties_xml(document.properties));
  zip.add("xl/workbook.xml", workbook_xml(document));
  zip.add("xl/_rels/workbook.xml.rels", relationships_xml(layout.workbook_relationships));
  zip.add("xl/styles.xml", styles_xml(document.styles));

  SharedStrings strings;
  for (std::size_t i = 0; i < document.sheets.size(); ++i) {
    const Sheet& sheet = document.sheets[i];
    const SheetLayout& sl = layout.sheets[i];
    zip.add(part_path("xl/worksheets/", "sheet", sl.number, ".xml"),
            worksheet_xml(sheet, sl, default_font, strings));
    if (!sl.sheet_relationships.empty()) {
      zip.add(part_path("xl/worksheets/_rels/", "sheet", sl.number, ".xml.rels"),
              relationships_xml(sl.sheet_relationships));
    }
    if (sl.drawing_number) {
      zip.add(part_path("xl/drawings/", "drawing", *sl.drawing_number, ".xml"),
              drawing_xml(sheet, sl, default_font));
      zip.add(part_path("xl/drawings/_rels/", "drawing", *sl.drawing_number, ".xml.rels"),
              relationships_xml(sl.drawing_relationships));
    }
  }
  zip.add("xl/sharedStrings.xml", shared_strings_xml(strings));
  for (const auto& media : layout.media) {
    zip.add("xl/media/" + media.name, *media.bytes, ZipPackage::Compression::kFast);
  }
  return zip.bytes();
}

void save_package(const Document& document, const std::filesystem::path& path) {
  os::write_file_atomically(path, package_bytes(document));
}

}  // namespace fb::xlsx
