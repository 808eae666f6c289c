#include "platform/xlsx/package_parts.h"
#include "platform/xlsx/xml_writer.h"

namespace fb::xlsx {
namespace {

constexpr std::string_view kSheetMl = "application/vnd.openxmlformats-officedocument.spreadsheetml";

void write_default(XmlWriter& xml, std::string_view extension, std::string_view content_type) {
  xml.empty("Default",
            {{"Extension", std::string(extension)}, {"ContentType", std::string(content_type)}});
}

void write_override(XmlWriter& xml, const std::string& part_name, std::string_view content_type) {
  xml.empty("Override", {{"PartName", part_name}, {"ContentType", std::string(content_type)}});
}

}  // namespace

std::string content_types_xml(const PackageLayout& layout) {
  XmlWriter xml;
  xml.open("Types", {{"xmlns", "http://schemas.openxmlformats.org/package/2006/content-types"}});
  write_default(xml, "rels", "application/vnd.openxmlformats-package.relationships+xml");
  write_default(xml, "xml", "application/xml");
  for (const auto extension : layout.media_extensions) {
    for (const auto format :
         {ImageFormat::Emf, ImageFormat::Png, ImageFormat::Gif, ImageFormat::Jpeg}) {
      if (image_extension(format) == extension) {
        write_default(xml, extension, image_content_type(format));
      }
    }
  }
  write_override(xml, "/xl/workbook.xml", std::string(kSheetMl) + ".sheet.main+xml");
  for (const auto& sheet : layout.sheets) {
    write_override(xml, "/xl/worksheets/sheet" + std::to_string(sheet.number) + ".xml",
                   std::string(kSheetMl) + ".worksheet+xml");
  }
  for (const auto& sheet : layout.sheets) {
    if (!sheet.drawing_number) continue;
    write_override(xml, "/xl/drawings/drawing" + std::to_string(*sheet.drawing_number) + ".xml",
                   "application/vnd.openxmlformats-officedocument.drawing+xml");
  }
  write_override(xml, "/xl/styles.xml", std::string(kSheetMl) + ".styles+xml");
  write_override(xml, "/xl/sharedStrings.xml", std::string(kSheetMl) + ".sharedStrings+xml");
  write_override(xml, "/docProps/core.xml",
                 "application/vnd.openxmlformats-package.core-properties+xml");
  write_override(xml, "/docProps/app.xml",
                 "application/vnd.openxmlformats-officedocument.extended-properties+xml");
  xml.close();
  return xml.finish();
}

}  // namespace fb::xlsx
