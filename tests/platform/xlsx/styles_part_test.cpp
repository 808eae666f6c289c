#include <gtest/gtest.h>

#include "platform/xlsx/package_parts.h"
#include "tests/platform/xlsx/xml_expect.h"

namespace fb::xlsx {
namespace {

using namespace sheet;
using testing::part;

// One cell format with every kind of setting: a Chinese font in red, a palette fill, two
// bordered edges, centred wrapped text and a number format that is not built in.
TEST(StylesPart, WritesFontsFillsBordersAlignmentAndNumberFormats) {
  std::vector<CellFormat> styles(3);
  styles[1].font = Font{.name = "宋体", .size = 12, .bold = true, .color_index = 3};
  styles[1].interior.color_index = 43;
  styles[1].interior.pattern = Pattern::Solid;
  styles[1].border(CellEdge::Bottom) = Border{LineStyle::Continuous, BorderWeight::Medium, 3};
  styles[1].border(CellEdge::Top) =
      Border{LineStyle::Continuous, BorderWeight::Thin, kColorIndexAutomatic};
  styles[1].horizontal = HorizontalAlignment::Center;
  styles[1].vertical = VerticalAlignment::Center;
  styles[1].wrap_text = true;
  styles[1].number_format = "0.0%";
  // Only a built-in number format and a reading order: shares the default font, fill, border.
  styles[2].number_format = "0.00";
  styles[2].reading_order = ReadingOrder::RightToLeft;

  EXPECT_EQ(styles_xml(styles),
            part("<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                 "<numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"0.0%\"/></numFmts>"
                 "<fonts count=\"2\">"
                 "<font><sz val=\"10\"/><name val=\"Arial\"/></font>"
                 "<font><b/><sz val=\"12\"/><color rgb=\"FFFF0000\"/><name val=\"宋体\"/>"
                 "<charset val=\"134\"/></font>"
                 "</fonts>"
                 "<fills count=\"3\">"
                 "<fill><patternFill patternType=\"none\"/></fill>"
                 "<fill><patternFill patternType=\"gray125\"/></fill>"
                 "<fill><patternFill patternType=\"solid\"><fgColor rgb=\"FF99CC00\"/>"
                 "<bgColor indexed=\"64\"/></patternFill></fill>"
                 "</fills>"
                 "<borders count=\"2\">"
                 "<border><left/><right/><top/><bottom/><diagonal/></border>"
                 "<border><left/><right/><top style=\"thin\"><color indexed=\"64\"/></top>"
                 "<bottom style=\"medium\"><color rgb=\"FFFF0000\"/></bottom><diagonal/></border>"
                 "</borders>"
                 "<cellStyleXfs count=\"1\">"
                 "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
                 "<cellXfs count=\"3\">"
                 "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
                 "<xf numFmtId=\"164\" fontId=\"1\" fillId=\"2\" borderId=\"1\" xfId=\"0\" "
                 "applyNumberFormat=\"1\" applyFont=\"1\" applyFill=\"1\" applyBorder=\"1\" "
                 "applyAlignment=\"1\">"
                 "<alignment horizontal=\"center\" vertical=\"center\" wrapText=\"1\"/></xf>"
                 "<xf numFmtId=\"2\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
                 "applyNumberFormat=\"1\" applyAlignment=\"1\"><alignment readingOrder=\"2\"/></xf>"
                 "</cellXfs>"
                 "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/>"
                 "</cellStyles>"
                 "<dxfs count=\"0\"/><tableStyles count=\"0\"/>"
                 "</styleSheet>"));
}

// Borders: the host's line style and weight pairs and the names the package gives them.
TEST(StylesPart, NamesEachLineStyleAndWeight) {
  struct Case {
    LineStyle style;
    BorderWeight weight;
    const char* name;
  };
  const Case cases[] = {
      {LineStyle::Continuous, BorderWeight::Hairline, "hair"},
      {LineStyle::Continuous, BorderWeight::Thin, "thin"},
      {LineStyle::Continuous, BorderWeight::Medium, "medium"},
      {LineStyle::Continuous, BorderWeight::Thick, "thick"},
      {LineStyle::Dash, BorderWeight::Thin, "dashed"},
      {LineStyle::Dash, BorderWeight::Medium, "mediumDashed"},
      {LineStyle::Dot, BorderWeight::Thin, "dotted"},
      {LineStyle::Double, BorderWeight::Thick, "double"},
  };
  for (const auto& c : cases) {
    std::vector<CellFormat> styles(2);
    styles[1].border(CellEdge::Left) = Border{c.style, c.weight, 1};
    const std::string expected =
        std::string("<left style=\"") + c.name + "\"><color rgb=\"FF000000\"/></left>";
    EXPECT_NE(styles_xml(styles).find(expected), std::string::npos) << c.name;
  }
}

// A gray pattern keeps both colours: the pattern's in front, the cell's behind.
TEST(StylesPart, PatternFillKeepsPatternAndCellColours) {
  std::vector<CellFormat> styles(2);
  styles[1].interior = Interior{6, Pattern::Gray25, 5};
  EXPECT_NE(styles_xml(styles).find("<fill><patternFill patternType=\"lightGray\">"
                                    "<fgColor rgb=\"FF0000FF\"/><bgColor rgb=\"FFFFFF00\"/>"
                                    "</patternFill></fill>"),
            std::string::npos);
}

}  // namespace
}  // namespace fb::xlsx
