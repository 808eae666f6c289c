#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "platform/xlsx/package_parts.h"
#include "platform/xlsx/sheet_geometry.h"
#include "platform/xlsx/xml_writer.h"

namespace fb::xlsx {
namespace {

// Drawing ids start at 2: readers reserve 1 for the drawing itself.
std::string shape_id(std::size_t index) {
  return std::to_string(index + 2);
}

std::string emu(std::int64_t value) {
  return std::to_string(value);
}

// The preset text effects the writer can express as a text warp of DrawingML.
std::string_view text_warp(int preset) {
  switch (preset) {
    case 0:
      return "textPlain";  // the first preset: plain letters, no curve
    default:
      throw std::invalid_argument("preset text effect " + std::to_string(preset) +
                                  " cannot be written");
  }
}

void write_marker(XmlWriter& xml, std::string_view element, const CellOffset& at) {
  xml.open(element);
  xml.text_element("xdr:col", std::to_string(at.column));
  xml.text_element("xdr:colOff", emu(at.column_offset));
  xml.text_element("xdr:row", std::to_string(at.row));
  xml.text_element("xdr:rowOff", emu(at.row_offset));
  xml.close();
}

void write_transform(XmlWriter& xml, const DrawingItem& item) {
  std::vector<XmlAttribute> attributes;
  if (item.rotation != 0) {
    attributes.emplace_back("rot", std::to_string(std::lround(item.rotation * 60000)));
  }
  xml.open("a:xfrm", attributes);
  xml.empty("a:off", {{"x", emu(points_to_emu(item.left))}, {"y", emu(points_to_emu(item.top))}});
  xml.empty("a:ext",
            {{"cx", emu(points_to_emu(item.width))}, {"cy", emu(points_to_emu(item.height))}});
  xml.close();
}

void write_rectangle_geometry(XmlWriter& xml) {
  xml.open("a:prstGeom", {{"prst", "rect"}});
  xml.empty("a:avLst");
  xml.close();
}

void write_picture_properties(XmlWriter& xml, const DrawingItem& item, std::size_t index,
                              const DrawingItemLinks& links) {
  xml.open("xdr:nvPicPr");
  if (links.hyperlink.empty()) {
    xml.empty("xdr:cNvPr", {{"id", shape_id(index)}, {"name", item.name}});
  } else {
    xml.open("xdr:cNvPr", {{"id", shape_id(index)}, {"name", item.name}});
    xml.empty("a:hlinkClick", {{"r:id", links.hyperlink}});
    xml.close();
  }
  xml.open("xdr:cNvPicPr");
  xml.empty("a:picLocks", {{"noChangeAspect", "1"}});
  xml.close();
  xml.close();
}

void write_blip_fill(XmlWriter& xml, const DrawingItemLinks& links) {
  xml.open("xdr:blipFill");
  xml.empty("a:blip", {{"r:embed", links.image}});
  xml.open("a:stretch");
  xml.empty("a:fillRect");
  xml.close();
  xml.close();
}

void write_picture(XmlWriter& xml, const DrawingItem& item, std::size_t index,
                   const DrawingItemLinks& links) {
  xml.open("xdr:pic");
  write_picture_properties(xml, item, index, links);
  write_blip_fill(xml, links);
  xml.open("xdr:spPr");
  write_transform(xml, item);
  write_rectangle_geometry(xml);
  xml.close();
  xml.close();
}

void write_no_fill(XmlWriter& xml) {
  xml.empty("a:noFill");
}

void write_text_run_properties(XmlWriter& xml, const WordArtContent& art) {
  xml.open("a:rPr", {{"lang", "zh-CN"},
                     {"altLang", "en-US"},
                     {"sz", std::to_string(std::lround(art.font_size * 100))},
                     {"b", art.bold ? "1" : "0"},
                     {"i", art.italic ? "1" : "0"}});
  xml.open("a:solidFill");
  const sheet::Rgb rgb = art.text_colour;
  char colour[8];
  std::snprintf(colour, sizeof colour, "%02X%02X%02X", rgb.r, rgb.g, rgb.b);
  xml.empty("a:srgbClr", {{"val", colour}});
  xml.close();
  xml.empty("a:latin", {{"typeface", art.font_name}});
  xml.empty("a:ea", {{"typeface", art.font_name}});
  xml.empty("a:cs", {{"typeface", art.font_name}});
  xml.close();
}

void write_text_body(XmlWriter& xml, const WordArtContent& art) {
  xml.open("xdr:txBody");
  xml.open("a:bodyPr", {{"wrap", "none"}, {"anchor", "ctr"}, {"fromWordArt", "1"}});
  xml.open("a:prstTxWarp", {{"prst", std::string(text_warp(art.preset))}});
  xml.empty("a:avLst");
  xml.close();
  xml.close();
  xml.empty("a:lstStyle");
  xml.open("a:p");
  xml.empty("a:pPr", {{"algn", "ctr"}});
  xml.open("a:r");
  write_text_run_properties(xml, art);
  xml.text_element("a:t", art.text);
  xml.close();
  xml.close();
  xml.close();
}

void write_word_art(XmlWriter& xml, const DrawingItem& item, std::size_t index,
                    const WordArtContent& art) {
  xml.open("xdr:sp", {{"macro", ""}, {"textlink", ""}});
  xml.open("xdr:nvSpPr");
  xml.empty("xdr:cNvPr", {{"id", shape_id(index)}, {"name", item.name}});
  xml.open("xdr:cNvSpPr");
  xml.empty("a:spLocks", {{"noChangeShapeType", "1"}, {"noTextEdit", "1"}});
  xml.close();
  xml.close();
  xml.open("xdr:spPr");
  write_transform(xml, item);
  write_rectangle_geometry(xml);
  write_no_fill(xml);
  xml.open("a:ln");
  write_no_fill(xml);
  xml.close();
  xml.close();
  write_text_body(xml, art);
  xml.close();
}

void write_item_content(XmlWriter& xml, const DrawingItem& item, std::size_t index,
                        const DrawingItemLinks& links) {
  if (const auto* art = std::get_if<WordArtContent>(&item.content)) {
    write_word_art(xml, item, index, *art);
  } else {
    write_picture(xml, item, index, links);
  }
  xml.empty("xdr:clientData");
}

// Pictures that move with the cells but keep their size anchor at both corners with "oneCell"
// editing, as readers that ignore the one-cell anchor still place them right.
void write_anchor(XmlWriter& xml, const DrawingItem& item, std::size_t index,
                  const DrawingItemLinks& links, const SheetGeometry& geometry) {
  if (item.width < 0 || item.height < 0) {
    throw std::invalid_argument("shape \"" + item.name + "\" has a negative size");
  }
  if (item.placement == Placement::FreeFloating) {
    xml.open("xdr:absoluteAnchor");
    xml.empty("xdr:pos",
              {{"x", emu(points_to_emu(item.left))}, {"y", emu(points_to_emu(item.top))}});
    xml.empty("xdr:ext",
              {{"cx", emu(points_to_emu(item.width))}, {"cy", emu(points_to_emu(item.height))}});
  } else {
    if (item.placement == Placement::Move) {
      xml.open("xdr:twoCellAnchor", {{"editAs", "oneCell"}});
    } else {
      xml.open("xdr:twoCellAnchor");
    }
    write_marker(xml, "xdr:from", geometry.locate(item.left, item.top));
    write_marker(xml, "xdr:to", geometry.locate(item.left + item.width, item.top + item.height));
  }
  write_item_content(xml, item, index, links);
  xml.close();
}

}  // namespace

std::string drawing_xml(const Sheet& sheet, const SheetLayout& layout,
                        const sheet::Font& default_font) {
  const SheetGeometry geometry(sheet, default_font);
  XmlWriter xml;
  xml.open("xdr:wsDr",
           {{"xmlns:xdr", "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing"},
            {"xmlns:a", "http://schemas.openxmlformats.org/drawingml/2006/main"},
            {"xmlns:r", "http://schemas.openxmlformats.org/officeDocument/2006/relationships"}});
  for (std::size_t i = 0; i < sheet.drawings.size(); ++i) {
    write_anchor(xml, sheet.drawings[i], i, layout.items.at(i), geometry);
  }
  xml.close();
  return xml.finish();
}

}  // namespace fb::xlsx
