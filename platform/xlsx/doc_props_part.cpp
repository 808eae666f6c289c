#include "platform/xlsx/package_parts.h"
#include "platform/xlsx/xml_writer.h"

namespace fb::xlsx {
namespace {

void write_date(XmlWriter& xml, std::string_view name, const std::string& date) {
  if (date.empty()) return;
  xml.text_element(name, date, {{"xsi:type", "dcterms:W3CDTF"}});
}

void write_titles_of_parts(XmlWriter& xml, const Document& document) {
  xml.open("HeadingPairs");
  xml.open("vt:vector", {{"size", "2"}, {"baseType", "variant"}});
  xml.open("vt:variant");
  xml.text_element("vt:lpstr", "Worksheets");
  xml.close();
  xml.open("vt:variant");
  xml.text_element("vt:i4", std::to_string(document.sheets.size()));
  xml.close();
  xml.close();
  xml.close();
  xml.open("TitlesOfParts");
  xml.open("vt:vector", {{"size", std::to_string(document.sheets.size())}, {"baseType", "lpstr"}});
  for (const auto& sheet : document.sheets) xml.text_element("vt:lpstr", sheet.name);
  xml.close();
  xml.close();
}

}  // namespace

std::string core_properties_xml(const DocumentProperties& properties) {
  XmlWriter xml;
  xml.open("cp:coreProperties",
           {{"xmlns:cp", "http://schemas.openxmlformats.org/package/2006/metadata/core-properties"},
            {"xmlns:dc", "http://purl.org/dc/elements/1.1/"},
            {"xmlns:dcterms", "http://purl.org/dc/terms/"},
            {"xmlns:dcmitype", "http://purl.org/dc/dcmitype/"},
            {"xmlns:xsi", "http://www.w3.org/2001/XMLSchema-instance"}});
  if (!properties.creator.empty()) xml.text_element("dc:creator", properties.creator);
  if (!properties.last_modified_by.empty()) {
    xml.text_element("cp:lastModifiedBy", properties.last_modified_by);
  }
  write_date(xml, "dcterms:created", properties.created);
  write_date(xml, "dcterms:modified", properties.modified);
  xml.close();
  return xml.finish();
}

std::string app_properties_xml(const Document& document) {
  XmlWriter xml;
  xml.open("Properties",
           {{"xmlns", "http://schemas.openxmlformats.org/officeDocument/2006/extended-properties"},
            {"xmlns:vt", "http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes"}});
  xml.text_element("Application", document.properties.application);
  xml.text_element("DocSecurity", "0");
  xml.text_element("ScaleCrop", "false");
  write_titles_of_parts(xml, document);
  xml.text_element("LinksUpToDate", "false");
  xml.text_element("SharedDoc", "false");
  xml.text_element("HyperlinksChanged", "false");
  xml.text_element("AppVersion", "12.0000");
  xml.close();
  return xml.finish();
}

}  // namespace fb::xlsx
