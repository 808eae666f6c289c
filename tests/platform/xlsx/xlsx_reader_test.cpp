#include "platform/xlsx/xlsx_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/xlsx/xlsx_writer.h"
#include "platform/xlsx/zip_package.h"

namespace fb::xlsx {
namespace {

using Cells = std::map<sheet::CellAddress, std::string>;

// A visible report and a very hidden sheet of texts that a careless writer or reader would
// change: blanks at the ends, a carriage return, a literal escape, digits, a character outside
// the Basic Multilingual Plane; and a number and a boolean.
Document report_with_hidden_sheet() {
  Document d;
  d.sheets.resize(2);
  d.sheets[0].name = "Report";
  d.sheets[0].cells = {{{1, 1}, std::string("visible"), 0}};
  Sheet& hidden = d.sheets[1];
  hidden.name = "Analysis";
  hidden.state = SheetState::VeryHidden;
  hidden.cells = {
      {{1, 1}, std::string(" lead and trail "), 0},
      {{1, 2}, std::string("CR\r\nLF\ttab"), 0},
      {{2, 1}, std::string("_x0041_"), 0},
      {{2, 3}, std::string("0001"), 0},
      {{3, 2}, std::string("鱼骨 😀"), 0},
      {{4, 1}, 2.5, 0},
      {{4, 2}, true, 0},
  };
  return d;
}

TEST(XlsxReader, ReadsBackTheTextsAndStateOfASheetItWrote) {
  const std::string bytes = package_bytes(report_with_hidden_sheet());
  const auto texts = read_sheet_texts(bytes, "ANALYSIS");
  ASSERT_TRUE(texts);
  EXPECT_EQ(texts->name, "Analysis");
  EXPECT_EQ(texts->state, SheetState::VeryHidden);
  EXPECT_EQ(texts->cells, (Cells{{{1, 1}, " lead and trail "},
                                 {{1, 2}, "CR\r\nLF\ttab"},
                                 {{2, 1}, "_x0041_"},
                                 {{2, 3}, "0001"},
                                 {{3, 2}, "鱼骨 😀"},
                                 {{4, 1}, "2.5"},
                                 {{4, 2}, "1"}}));
  const auto report = read_sheet_texts(bytes, "Report");
  ASSERT_TRUE(report);
  EXPECT_EQ(report->state, SheetState::Visible);
  EXPECT_FALSE(read_sheet_texts(bytes, "Sheet9"));
}

std::string package_of(const std::vector<std::pair<std::string, std::string>>& parts) {
  ZipPackage zip;
  for (const auto& [name, content] : parts) zip.add(name, content);
  return zip.bytes();
}

constexpr const char* kRelationships =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// What other programs write differently: prefixed elements, another prefix for the relationship
// id, an absolute and a roundabout target, rich text with a phonetic guide, an inline string,
// cells and rows without their position, a formula's text.
TEST(XlsxReader, ReadsPackagesAsOtherProgramsWriteThem) {
  const std::string main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
  const std::string bytes = package_of({
      {"_rels/.rels",
       "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
       "<Relationship Id=\"rId1\" Type=\"" +
           std::string(kRelationships) +
           "/officeDocument\" Target=\"/xl/book.xml\"/>"
           "</Relationships>"},
      {"xl/book.xml", "<x:workbook xmlns:x=\"" + main + "\" xmlns:rel=\"" + kRelationships +
                          "\"><x:sheets><x:sheet name=\"Front\" sheetId=\"1\" rel:id=\"s0\"/>"
                          "<x:sheet name=\"analysis\" sheetId=\"2\" state=\"hidden\" "
                          "rel:id=\"s1\"/></x:sheets></x:workbook>"},
      {"xl/_rels/book.xml.rels",
       "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
       "<Relationship Id=\"s1\" Type=\"" +
           std::string(kRelationships) +
           "/worksheet\" Target=\"sheets/../worksheets/a.xml\"/>"
           "<Relationship Id=\"s2\" Type=\"" +
           kRelationships +
           "/sharedStrings\" Target=\"strings.xml\"/>"
           "<Relationship Id=\"s3\" Type=\"" +
           kRelationships +
           "/hyperlink\" Target=\"https://example.org\" TargetMode=\"External\"/>"
           "</Relationships>"},
      {"xl/strings.xml", "<sst xmlns=\"" + main +
                             "\"><si><r><t>rich </t></r><r><rPr/><t>text</t></r>"
                             "<rPh><t>guide</t></rPh></si><si><t>_x005F_x0041_</t></si>"
                             "<si><t xml:space=\"preserve\"> </t></si></sst>"},
      {"xl/worksheets/a.xml",
       "<x:worksheet xmlns:x=\"" + main +
           "\"><x:sheetData><x:row r=\"1\"><x:c t=\"s\"><x:v>0</x:v></x:c>"
           "<x:c t=\"inlineStr\"><x:is><x:t>inline</x:t></x:is></x:c><x:c s=\"1\"/></x:row>"
           "<x:row><x:c r=\"C2\" t=\"s\"><x:v>1</x:v></x:c><x:c t=\"str\"><x:f>A1</x:f>"
           "<x:v>formula_x000D_</x:v></x:c><x:c t=\"s\"><x:v>2</x:v></x:c></x:row>"
           "</x:sheetData></x:worksheet>"},
  });
  const auto texts = read_sheet_texts(bytes, "Analysis");
  ASSERT_TRUE(texts);
  EXPECT_EQ(texts->state, SheetState::Hidden);
  EXPECT_EQ(texts->cells, (Cells{{{1, 1}, "rich text"},
                                 {{1, 2}, "inline"},
                                 {{2, 3}, "_x0041_"},
                                 {{2, 4}, "formula\r"},
                                 {{2, 5}, " "}}));
}

// Damaged packages end in PackageError with a reason, whatever is wrong and wherever.
TEST(XlsxReader, DamagedPackagesAreRefusedWithAReason) {
  const std::string good = package_bytes(report_with_hidden_sheet());
  std::string flipped = good;
  // Inside the compressed data of the hidden sheet's part, which the reader inflates.
  const std::size_t entry = flipped.find("xl/worksheets/sheet2.xml");
  ASSERT_NE(entry, std::string::npos);
  for (std::size_t i = entry + 30; i < entry + 60; ++i) flipped[i] = static_cast<char>(~flipped[i]);
  // Sixteen MiB and one byte of blanks deflate to a few kilobytes.
  std::string bomb_sheet(kMaxPartBytes + 1, ' ');
  const std::string workbook =
      "<workbook xmlns:r=\"" + std::string(kRelationships) +
      "\"><sheets><sheet name=\"Analysis\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
  const std::string rels = "<Relationships><Relationship Id=\"rId1\" Type=\"" +
                           std::string(kRelationships) +
                           "/worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>";
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"no zip archive", "not a workbook at all"},
      {"empty", ""},
      {"cut short", good.substr(0, good.size() / 2)},
      {"damaged entry", flipped},
      {"no workbook", package_of({{"hello.txt", "hello"}})},
      {"workbook not XML", package_of({{"xl/workbook.xml", "<workbook><sheets>"}})},
      {"sheet without its part",
       package_of({{"xl/workbook.xml", workbook}, {"xl/_rels/workbook.xml.rels", "<R/>"}})},
      {"part missing",
       package_of({{"xl/workbook.xml", workbook}, {"xl/_rels/workbook.xml.rels", rels}})},
      {"zip bomb", package_of({{"xl/workbook.xml", workbook},
                               {"xl/_rels/workbook.xml.rels", rels},
                               {"xl/worksheets/sheet1.xml", bomb_sheet}})},
      {"shared string not held",
       package_of({{"xl/workbook.xml", workbook},
                   {"xl/_rels/workbook.xml.rels", rels},
                   {"xl/worksheets/sheet1.xml",
                    "<worksheet><sheetData><row><c t=\"s\"><v>7</v></c></row></sheetData>"
                    "</worksheet>"}})},
      {"cell outside the grid",
       package_of({{"xl/workbook.xml", workbook},
                   {"xl/_rels/workbook.xml.rels", rels},
                   {"xl/worksheets/sheet1.xml",
                    "<worksheet><sheetData><row><c r=\"ZZZZ1\"><v>1</v></c></row></sheetData>"
                    "</worksheet>"}})},
  };
  for (const Case& c : cases) {
    try {
      (void)read_sheet_texts(c.bytes, "Analysis");
      ADD_FAILURE() << c.what << ": read";
    } catch (const PackageError& error) {
      EXPECT_NE(std::string(error.what()), "") << c.what;
    }
  }
}

}  // namespace
}  // namespace fb::xlsx
