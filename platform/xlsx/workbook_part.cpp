#include "platform/xlsx/cell_reference.h"
#include "platform/xlsx/package_parts.h"
#include "platform/xlsx/xml_writer.h"

namespace fb::xlsx {
namespace {

void write_book_views(XmlWriter& xml, const Document& document) {
  xml.open("bookViews");
  xml.empty("workbookView", {{"xWindow", "0"},
                             {"yWindow", "0"},
                             {"windowWidth", "16000"},
                             {"windowHeight", "9000"},
                             {"activeTab", std::to_string(document.active_sheet)}});
  xml.close();
}

// "state" is written only for a hidden sheet, as readers take a sheet without it as visible.
void write_sheets(XmlWriter& xml, const Document& document) {
  xml.open("sheets");
  for (std::size_t i = 0; i < document.sheets.size(); ++i) {
    const Sheet& sheet = document.sheets[i];
    std::vector<XmlAttribute> attributes{{"name", sheet.name}, {"sheetId", std::to_string(i + 1)}};
    if (sheet.state == SheetState::Hidden) attributes.emplace_back("state", "hidden");
    if (sheet.state == SheetState::VeryHidden) attributes.emplace_back("state", "veryHidden");
    attributes.emplace_back("r:id", "rId" + std::to_string(i + 1));
    xml.empty("sheet", attributes);
  }
  xml.close();
}

void write_defined_names(XmlWriter& xml, const Document& document) {
  bool any = false;
  for (const auto& sheet : document.sheets) any = any || sheet.print_area.has_value();
  if (!any) return;
  xml.open("definedNames");
  for (std::size_t i = 0; i < document.sheets.size(); ++i) {
    const Sheet& sheet = document.sheets[i];
    if (!sheet.print_area) continue;
    xml.text_element("definedName", absolute_sheet_reference(sheet.name, *sheet.print_area),
                     {{"name", "_xlnm.Print_Area"}, {"localSheetId", std::to_string(i)}});
  }
  xml.close();
}

}  // namespace

// Sheet i refers to relationship "rId<i+1>", as plan_package numbers the workbook's relationships.
std::string workbook_xml(const Document& document) {
  XmlWriter xml;
  xml.open("workbook",
           {{"xmlns", "http://schemas.openxmlformats.org/spreadsheetml/2006/main"},
            {"xmlns:r", "http://schemas.openxmlformats.org/officeDocument/2006/relationships"}});
  xml.empty("workbookPr");
  write_book_views(xml, document);
  write_sheets(xml, document);
  write_defined_names(xml, document);
  xml.empty("calcPr", {{"calcId", "124519"}});
  xml.close();
  return xml.finish();
}

}  // namespace fb::xlsx
