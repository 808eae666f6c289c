#include "platform/xlsx/package_parts.h"
#include "platform/xlsx/xml_writer.h"

namespace fb::xlsx {
namespace {

void write_relationship(XmlWriter& xml, const Relationship& r) {
  if (r.external) {
    xml.empty("Relationship", {{"Id", r.id},
                               {"Type", std::string(r.type)},
                               {"Target", r.target},
                               {"TargetMode", "External"}});
  } else {
    xml.empty("Relationship", {{"Id", r.id}, {"Type", std::string(r.type)}, {"Target", r.target}});
  }
}

}  // namespace

std::string relationships_xml(const std::vector<Relationship>& relationships) {
  XmlWriter xml;
  xml.open("Relationships",
           {{"xmlns", "http://schemas.openxmlformats.org/package/2006/relationships"}});
  for (const auto& r : relationships) write_relationship(xml, r);
  xml.close();
  return xml.finish();
}

}  // namespace fb::xlsx
