#include <gtest/gtest.h>

#include <cmath>

#include "platform/sheet/column_width.h"
#include "platform/xlsx/package_parts.h"
#include "platform/xlsx/sheet_geometry.h"
#include "tests/platform/xlsx/xml_expect.h"

namespace fb::xlsx {
namespace {

using testing::part;

// Default Arial 10 columns are 64 pixels (48 points) wide, default rows 15 points high.
Document drawing_document() {
  Document d;
  Sheet s;
  s.name = "Report";
  s.drawings.push_back(
      DrawingItem{"Picture 1", 58, 30, 96, 45, 0, Placement::Move,
                  PictureContent{ImageFormat::Png, "png bytes", "https://example.org/fishbone"}});
  WordArtContent art;
  art.text = "鱼 骨 图 & Co";
  art.font_name = "Arial Unicode MS";
  art.font_size = 14;
  s.drawings.push_back(DrawingItem{"WordArt 2", 10, 5, 200, 40, 0, Placement::FreeFloating, art});
  d.sheets.push_back(std::move(s));
  return d;
}

TEST(DrawingPart, AnchorsPictureWithLinkAndWordArtShape) {
  const Document d = drawing_document();
  const PackageLayout layout = plan_package(d);
  EXPECT_EQ(drawing_xml(d.sheets[0], layout.sheets[0], d.styles[0].font),
            part("<xdr:wsDr xmlns:xdr=\"http://schemas.openxmlformats.org/drawingml/2006/"
                 "spreadsheetDrawing\" xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/"
                 "main\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                 "relationships\">"
                 // 58 points = column B plus 10 points; 30 points = the top of row 3.
                 "<xdr:twoCellAnchor editAs=\"oneCell\">"
                 "<xdr:from><xdr:col>1</xdr:col><xdr:colOff>127000</xdr:colOff><xdr:row>2</xdr:row>"
                 "<xdr:rowOff>0</xdr:rowOff></xdr:from>"
                 "<xdr:to><xdr:col>3</xdr:col><xdr:colOff>127000</xdr:colOff><xdr:row>5</xdr:row>"
                 "<xdr:rowOff>0</xdr:rowOff></xdr:to>"
                 "<xdr:pic><xdr:nvPicPr><xdr:cNvPr id=\"2\" name=\"Picture 1\">"
                 "<a:hlinkClick r:id=\"rId2\"/></xdr:cNvPr>"
                 "<xdr:cNvPicPr><a:picLocks noChangeAspect=\"1\"/></xdr:cNvPicPr></xdr:nvPicPr>"
                 "<xdr:blipFill><a:blip r:embed=\"rId1\"/><a:stretch><a:fillRect/></a:stretch>"
                 "</xdr:blipFill>"
                 "<xdr:spPr><a:xfrm><a:off x=\"736600\" y=\"381000\"/>"
                 "<a:ext cx=\"1219200\" cy=\"571500\"/></a:xfrm>"
                 "<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></xdr:spPr></xdr:pic>"
                 "<xdr:clientData/></xdr:twoCellAnchor>"
                 "<xdr:absoluteAnchor><xdr:pos x=\"127000\" y=\"63500\"/>"
                 "<xdr:ext cx=\"2540000\" cy=\"508000\"/>"
                 "<xdr:sp macro=\"\" textlink=\"\"><xdr:nvSpPr>"
                 "<xdr:cNvPr id=\"3\" name=\"WordArt 2\"/>"
                 "<xdr:cNvSpPr><a:spLocks noChangeShapeType=\"1\" noTextEdit=\"1\"/></xdr:cNvSpPr>"
                 "</xdr:nvSpPr>"
                 "<xdr:spPr><a:xfrm><a:off x=\"127000\" y=\"63500\"/>"
                 "<a:ext cx=\"2540000\" cy=\"508000\"/></a:xfrm>"
                 "<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom><a:noFill/>"
                 "<a:ln><a:noFill/></a:ln></xdr:spPr>"
                 "<xdr:txBody><a:bodyPr wrap=\"none\" anchor=\"ctr\" fromWordArt=\"1\">"
                 "<a:prstTxWarp prst=\"textPlain\"><a:avLst/></a:prstTxWarp></a:bodyPr>"
                 "<a:lstStyle/><a:p><a:pPr algn=\"ctr\"/><a:r>"
                 "<a:rPr lang=\"zh-CN\" altLang=\"en-US\" sz=\"1400\" b=\"0\" i=\"0\">"
                 "<a:solidFill><a:srgbClr val=\"000000\"/></a:solidFill>"
                 "<a:latin typeface=\"Arial Unicode MS\"/><a:ea typeface=\"Arial Unicode MS\"/>"
                 "<a:cs typeface=\"Arial Unicode MS\"/></a:rPr>"
                 "<a:t>鱼 骨 图 &amp; Co</a:t></a:r></a:p></xdr:txBody></xdr:sp>"
                 "<xdr:clientData/></xdr:absoluteAnchor>"
                 "</xdr:wsDr>"));
}

TEST(DrawingPart, PlacementChoosesTheAnchor) {
  struct Case {
    Placement placement;
    const char* anchor;
  };
  const Case cases[] = {{Placement::MoveAndSize, "<xdr:twoCellAnchor><xdr:from>"},
                        {Placement::Move, "<xdr:twoCellAnchor editAs=\"oneCell\"><xdr:from>"},
                        {Placement::FreeFloating, "<xdr:absoluteAnchor><xdr:pos "}};
  for (const auto& c : cases) {
    Document d = drawing_document();
    d.sheets[0].drawings.resize(1);
    d.sheets[0].drawings[0].placement = c.placement;
    const std::string xml = drawing_xml(d.sheets[0], plan_package(d).sheets[0], d.styles[0].font);
    EXPECT_NE(xml.find(c.anchor), std::string::npos) << static_cast<int>(c.placement);
  }
}

// Sized columns and rows move the anchor cells; a rotation is written in 60000ths of a degree.
TEST(DrawingPart, AnchorFollowsColumnWidthsRowHeightsAndRotation) {
  Document d = drawing_document();
  d.sheets[0].drawings.resize(1);
  d.sheets[0].columns = {{1, 1, 1.78, true, std::nullopt}, {2, 27, 5.25, true, std::nullopt}};
  d.sheets[0].rows[1].height = 20;
  d.sheets[0].rows[2].height = 20;
  // Column A: 1.78 characters = 17 pixels = 12.75 points; B: 5.25 = 42 pixels = 31.5 points.
  DrawingItem& item = d.sheets[0].drawings[0];
  item.left = 12.75 + 31.5 + 3;
  item.top = 45;
  item.rotation = 90;
  const std::string xml = drawing_xml(d.sheets[0], plan_package(d).sheets[0], d.styles[0].font);
  EXPECT_NE(xml.find("<xdr:from><xdr:col>2</xdr:col><xdr:colOff>38100</xdr:colOff>"
                     "<xdr:row>2</xdr:row><xdr:rowOff>63500</xdr:rowOff></xdr:from>"),
            std::string::npos)
      << xml;
  EXPECT_NE(xml.find("<a:xfrm rot=\"5400000\">"), std::string::npos);
}

TEST(DrawingPart, RefusesWhatItCannotDraw) {
  Document d = drawing_document();
  std::get<WordArtContent>(d.sheets[0].drawings[1].content).preset = 5;
  EXPECT_THROW(drawing_xml(d.sheets[0], plan_package(d).sheets[0], d.styles[0].font),
               std::invalid_argument);
  d = drawing_document();
  d.sheets[0].drawings[0].width = -1;
  EXPECT_THROW(drawing_xml(d.sheets[0], plan_package(d).sheets[0], d.styles[0].font),
               std::invalid_argument);
}

// The stored width reads back, through the file format's pixel formula, to the host's pixels.
TEST(SheetGeometry, StoredColumnWidthsReadBackToTheHostsPixels) {
  struct Width {
    double characters;
    sheet::Font font;
    double stored;
  };
  const Width widths[] = {{8.43, {"Arial", 10}, 9.140625}, {1.78, {"Arial", 10}, 2.4921875},
                          {5.25, {"宋体", 12}, 5.875},     {4.75, {"宋体", 12}, 5.375},
                          {8, {"宋体", 12}, 8.625},        {0, {"Arial", 10}, 0}};
  for (const auto& w : widths) {
    EXPECT_EQ(stored_column_width(w.characters, w.font), w.stored) << w.characters;
    const int digit = sheet::max_digit_width_pixels(w.font);
    const int read_back =
        static_cast<int>(std::trunc((256 * w.stored + std::trunc(128.0 / digit)) / 256 * digit));
    EXPECT_EQ(read_back, sheet::column_width_pixels(w.characters, w.font)) << w.characters;
  }
}

}  // namespace
}  // namespace fb::xlsx
