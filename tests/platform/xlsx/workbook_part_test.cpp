#include <gtest/gtest.h>

#include "platform/xlsx/cell_reference.h"
#include "platform/xlsx/package_parts.h"
#include "tests/platform/xlsx/xml_expect.h"

namespace fb::xlsx {
namespace {

using sheet::RangeAddress;
using testing::part;

const RangeAddress kPrintArea{{2, 2}, {32, 27}};

TEST(WorkbookPart, ListsSheetsTheirStatesActiveTabAndPrintAreas) {
  Document d;
  d.sheets.resize(4);
  d.sheets[0].name = "Sheet1";
  d.sheets[1].name = "Data 1";
  d.sheets[1].print_area = kPrintArea;
  d.sheets[2].name = "Kept";
  d.sheets[2].state = SheetState::Hidden;
  d.sheets[3].name = "Analysis";
  d.sheets[3].state = SheetState::VeryHidden;
  d.active_sheet = 1;
  EXPECT_EQ(workbook_xml(d),
            part("<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                 "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                 "<workbookPr/>"
                 "<bookViews><workbookView xWindow=\"0\" yWindow=\"0\" windowWidth=\"16000\" "
                 "windowHeight=\"9000\" activeTab=\"1\"/></bookViews>"
                 "<sheets><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/>"
                 "<sheet name=\"Data 1\" sheetId=\"2\" r:id=\"rId2\"/>"
                 "<sheet name=\"Kept\" sheetId=\"3\" state=\"hidden\" r:id=\"rId3\"/>"
                 "<sheet name=\"Analysis\" sheetId=\"4\" state=\"veryHidden\" r:id=\"rId4\"/>"
                 "</sheets>"
                 "<definedNames><definedName name=\"_xlnm.Print_Area\" localSheetId=\"1\">"
                 "'Data 1'!$B$2:$AA$32</definedName></definedNames>"
                 "<calcPr calcId=\"124519\"/>"
                 "</workbook>"));
}

TEST(WorkbookPart, QuotesSheetNamesThatAreNoPlainNames) {
  struct Case {
    const char* name;
    const char* reference;
  };
  const Case cases[] = {
      {"Sheet1", "Sheet1!$B$2:$AA$32"},   {"Report_2.b", "Report_2.b!$B$2:$AA$32"},
      {"Data 1", "'Data 1'!$B$2:$AA$32"}, {"It's", "'It''s'!$B$2:$AA$32"},
      {"AB12", "'AB12'!$B$2:$AA$32"},     {"R2C3", "'R2C3'!$B$2:$AA$32"},
      {"C", "'C'!$B$2:$AA$32"},           {"1st", "'1st'!$B$2:$AA$32"},
      {"报表", "'报表'!$B$2:$AA$32"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(absolute_sheet_reference(c.name, kPrintArea), c.reference) << c.name;
  }
}

TEST(DocumentProperties, CoreAndAppProperties) {
  Document d;
  d.sheets.resize(1);
  d.sheets[0].name = "Sheet1";
  d.properties.creator = "QA <team>";
  d.properties.created = "2024-05-01T08:00:00Z";
  EXPECT_EQ(core_properties_xml(d.properties),
            part("<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/"
                 "metadata/core-properties\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
                 "xmlns:dcterms=\"http://purl.org/dc/terms/\" "
                 "xmlns:dcmitype=\"http://purl.org/dc/dcmitype/\" "
                 "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
                 "<dc:creator>QA &lt;team&gt;</dc:creator>"
                 "<dcterms:created xsi:type=\"dcterms:W3CDTF\">2024-05-01T08:00:00Z"
                 "</dcterms:created></cp:coreProperties>"));
  EXPECT_EQ(app_properties_xml(d),
            part("<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                 "extended-properties\" xmlns:vt=\"http://schemas.openxmlformats.org/"
                 "officeDocument/2006/docPropsVTypes\">"
                 "<Application>Fishbone</Application><DocSecurity>0</DocSecurity>"
                 "<ScaleCrop>false</ScaleCrop>"
                 "<HeadingPairs><vt:vector size=\"2\" baseType=\"variant\">"
                 "<vt:variant><vt:lpstr>Worksheets</vt:lpstr></vt:variant>"
                 "<vt:variant><vt:i4>1</vt:i4></vt:variant></vt:vector></HeadingPairs>"
                 "<TitlesOfParts><vt:vector size=\"1\" baseType=\"lpstr\">"
                 "<vt:lpstr>Sheet1</vt:lpstr></vt:vector></TitlesOfParts>"
                 "<LinksUpToDate>false</LinksUpToDate><SharedDoc>false</SharedDoc>"
                 "<HyperlinksChanged>false</HyperlinksChanged><AppVersion>12.0000</AppVersion>"
                 "</Properties>"));
}

}  // namespace
}  // namespace fb::xlsx
