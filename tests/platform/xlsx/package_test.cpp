#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/os/host_error.h"
#include "platform/xlsx/package_parts.h"
#include "platform/xlsx/xlsx_writer.h"
#include "tests/platform/os/temp_folder.h"
#include "tests/platform/xlsx/xml_expect.h"
#include "tests/platform/xlsx/zip_reader.h"

namespace fb::xlsx {
namespace {

using os::testing::TempFolder;
using testing::part;
using testing::unzip;

// Two sheets; the second has a cell link and three shapes: an EMF picture, a linked PNG
// picture and a WordArt.
Document two_sheet_document() {
  Document d;
  d.sheets.resize(2);
  d.sheets[0].name = "Data";
  d.sheets[0].cells = {{{1, 1}, std::string("first"), 0}};
  Sheet& report = d.sheets[1];
  report.name = "Report";
  report.cells = {{{1, 1}, std::string("second"), 0}, {{1, 2}, std::string("first"), 0}};
  report.hyperlinks = {{{2, 25}, "https://example.org/fishbone", "", "example.org", ""}};
  report.drawings = {
      {"Picture 1", 0, 0, 100, 50, 0, Placement::Move,
       PictureContent{ImageFormat::Emf, std::string("EMF\0bytes", 9), ""}},
      {"Picture 2", 10, 10, 76.5, 24, 0, Placement::Move,
       PictureContent{ImageFormat::Png, "PNG bytes", "https://example.org/fishbone"}},
      {"WordArt 3", 0, 0, 300, 40, 0, Placement::FreeFloating, WordArtContent{}},
  };
  d.active_sheet = 1;
  return d;
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

TEST(Package, HoldsEveryPartWithItsRelationships) {
  const Document d = two_sheet_document();
  std::vector<std::string> order;
  const auto entries = unzip(package_bytes(d), &order);

  EXPECT_EQ(order, (std::vector<std::string>{
                       "[Content_Types].xml", "_rels/.rels", "docProps/app.xml",
                       "docProps/core.xml", "xl/workbook.xml", "xl/_rels/workbook.xml.rels",
                       "xl/styles.xml", "xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml",
                       "xl/worksheets/_rels/sheet2.xml.rels", "xl/drawings/drawing1.xml",
                       "xl/drawings/_rels/drawing1.xml.rels", "xl/sharedStrings.xml",
                       "xl/media/image1.emf", "xl/media/image2.png"}));

  const std::string sheetml = "application/vnd.openxmlformats-officedocument.spreadsheetml";
  EXPECT_EQ(entries.at("[Content_Types].xml"),
            part("<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                 "<Default Extension=\"rels\" "
                 "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                 "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                 "<Default Extension=\"emf\" ContentType=\"image/x-emf\"/>"
                 "<Default Extension=\"png\" ContentType=\"image/png\"/>"
                 "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" +
                 sheetml +
                 ".sheet.main+xml\"/>"
                 "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"" +
                 sheetml +
                 ".worksheet+xml\"/>"
                 "<Override PartName=\"/xl/worksheets/sheet2.xml\" ContentType=\"" +
                 sheetml +
                 ".worksheet+xml\"/>"
                 "<Override PartName=\"/xl/drawings/drawing1.xml\" "
                 "ContentType=\"application/vnd.openxmlformats-officedocument.drawing+xml\"/>"
                 "<Override PartName=\"/xl/styles.xml\" ContentType=\"" +
                 sheetml +
                 ".styles+xml\"/>"
                 "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"" +
                 sheetml +
                 ".sharedStrings+xml\"/>"
                 "<Override PartName=\"/docProps/core.xml\" "
                 "ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
                 "<Override PartName=\"/docProps/app.xml\" ContentType=\"application/"
                 "vnd.openxmlformats-officedocument.extended-properties+xml\"/>"
                 "</Types>"));

  const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
  const std::string rels_open =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  EXPECT_EQ(entries.at("_rels/.rels"),
            part(rels_open + "<Relationship Id=\"rId1\" Type=\"" + rel +
                 "officeDocument\" Target=\"xl/workbook.xml\"/>"
                 "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/package/"
                 "2006/relationships/metadata/core-properties\" Target=\"docProps/core.xml\"/>"
                 "<Relationship Id=\"rId3\" Type=\"" +
                 rel + "extended-properties\" Target=\"docProps/app.xml\"/></Relationships>"));
  EXPECT_EQ(entries.at("xl/_rels/workbook.xml.rels"),
            part(rels_open + "<Relationship Id=\"rId1\" Type=\"" + rel +
                 "worksheet\" Target=\"worksheets/sheet1.xml\"/>"
                 "<Relationship Id=\"rId2\" Type=\"" +
                 rel +
                 "worksheet\" Target=\"worksheets/sheet2.xml\"/>"
                 "<Relationship Id=\"rId3\" Type=\"" +
                 rel +
                 "styles\" Target=\"styles.xml\"/>"
                 "<Relationship Id=\"rId4\" Type=\"" +
                 rel + "sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>"));
  EXPECT_EQ(entries.at("xl/worksheets/_rels/sheet2.xml.rels"),
            part(rels_open + "<Relationship Id=\"rId1\" Type=\"" + rel +
                 "hyperlink\" Target=\"https://example.org/fishbone\" TargetMode=\"External\"/>"
                 "<Relationship Id=\"rId2\" Type=\"" +
                 rel + "drawing\" Target=\"../drawings/drawing1.xml\"/></Relationships>"));
  EXPECT_EQ(entries.at("xl/drawings/_rels/drawing1.xml.rels"),
            part(rels_open + "<Relationship Id=\"rId1\" Type=\"" + rel +
                 "image\" Target=\"../media/image1.emf\"/>"
                 "<Relationship Id=\"rId2\" Type=\"" +
                 rel +
                 "image\" Target=\"../media/image2.png\"/>"
                 "<Relationship Id=\"rId3\" Type=\"" +
                 rel +
                 "hyperlink\" Target=\"https://example.org/fishbone\" TargetMode=\"External\"/>"
                 "</Relationships>"));
  EXPECT_EQ(entries.at("xl/media/image1.emf"), std::string("EMF\0bytes", 9));
  EXPECT_EQ(entries.at("xl/media/image2.png"), "PNG bytes");
  // One table for the texts of all sheets, in order of first use.
  EXPECT_NE(entries.at("xl/sharedStrings.xml")
                .find("count=\"3\" uniqueCount=\"2\"><si><t>first</t></si><si><t>second</t>"),
            std::string::npos);
  EXPECT_NE(entries.at("xl/worksheets/sheet2.xml").find("<c r=\"B1\" t=\"s\"><v>0</v></c>"),
            std::string::npos);
}

TEST(Package, SameDocumentGivesSameBytesInEveryTimeZone) {
  const std::string bytes = package_bytes(two_sheet_document());
  EXPECT_EQ(bytes, package_bytes(two_sheet_document()));
  // The entries' fixed time stamp is written as is, not converted to the machine's local time.
  const char* before = std::getenv("TZ");
  const std::string saved = before != nullptr ? before : "";
  ::setenv("TZ", "Pacific/Kiritimati", 1);
  ::tzset();
  const std::string far_east = package_bytes(two_sheet_document());
  if (before != nullptr) {
    ::setenv("TZ", saved.c_str(), 1);
  } else {
    ::unsetenv("TZ");
  }
  ::tzset();
  EXPECT_EQ(bytes, far_east);
}

TEST(Package, RefusesDocumentsItCannotWrite) {
  struct Case {
    const char* what;
    void (*spoil)(Document&);
  };
  const Case cases[] = {
      {"no sheet", [](Document& d) { d.sheets.clear(); }},
      {"repeated name", [](Document& d) { d.sheets[1].name = "DATA"; }},
      {"bad name", [](Document& d) { d.sheets[1].name = "a/b"; }},
      {"empty name", [](Document& d) { d.sheets[1].name = ""; }},
      {"style without format", [](Document& d) { d.sheets[0].cells[0].style = 1; }},
      {"active sheet", [](Document& d) { d.active_sheet = 2; }},
      {"hidden active sheet",
       [](Document& d) { d.sheets[d.active_sheet].state = SheetState::VeryHidden; }},
      {"row outside grid", [](Document& d) { d.sheets[0].rows[0].height = 3; }},
  };
  for (const auto& c : cases) {
    Document d = two_sheet_document();
    c.spoil(d);
    EXPECT_THROW(package_bytes(d), std::invalid_argument) << c.what;
  }
}

TEST(SavePackage, WritesTheFileAndLeavesNoTemporaryFile) {
  TempFolder folder;
  const auto path = folder.path() / "Fishbone Diagram Report1.xlsx";
  save_package(two_sheet_document(), path);
  EXPECT_EQ(read_file(path), package_bytes(two_sheet_document()));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()),
            1);
}

// The error names the file the caller asked for, never a temporary name.
TEST(SavePackage, MissingFolderOrAFolderInTheWayIsAnErrorNamingTheFile) {
  TempFolder folder;
  const auto missing = folder.path() / "no such folder" / "report.xlsx";
  try {
    save_package(two_sheet_document(), missing);
    FAIL() << "saved into a missing folder";
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), 76);
    EXPECT_NE(e.description().find("\"" + missing.string() + "\""), std::string::npos);
  }
  std::filesystem::create_directory(folder.path() / "report.xlsx");
  EXPECT_THROW(save_package(two_sheet_document(), folder.path() / "report.xlsx"), HostError);
}

TEST(SavePackage, UnwritableFolderKeepsTheEarlierFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "permission bits do not stop the superuser";
  TempFolder folder;
  const auto path = folder.write("report.xlsx", "earlier good report");
  std::filesystem::permissions(
      folder.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  try {
    save_package(two_sheet_document(), path);
    FAIL() << "saved into a read-only folder";
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), host_error::kPermissionDenied);
    EXPECT_NE(e.description().find(path.string()), std::string::npos);
  }
  EXPECT_EQ(read_file(path), "earlier good report");
}

// The kernel's own folder takes no new files, whoever asks.
TEST(SavePackage, FolderThatRefusesNewFilesIsPermissionDenied) {
  const std::filesystem::path path = "/sys/report.xlsx";
  if (!std::filesystem::is_directory("/sys")) GTEST_SKIP() << "no /sys here";
  try {
    save_package(two_sheet_document(), path);
    FAIL() << "saved into /sys";
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), host_error::kPermissionDenied);
    EXPECT_EQ(e.description().rfind("cannot write \"/sys/report.xlsx\": ", 0), 0u)
        << e.description();
  }
}

// A write that fails half-way (here: the file-size limit) leaves the earlier file whole and
// removes the temporary file.
TEST(SavePackage, FailedWriteKeepsTheEarlierFile) {
  TempFolder folder;
  const auto path = folder.write("report.xlsx", "earlier good report");
  struct rlimit old_limit {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  const auto old_handler = ::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old_limit;
  small.rlim_cur = 100;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  int number = 0;
  try {
    save_package(two_sheet_document(), path);
  } catch (const HostError& e) {
    number = e.number();
  }
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  ::signal(SIGXFSZ, old_handler);
  EXPECT_EQ(number, 61);
  EXPECT_EQ(read_file(path), "earlier good report");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()),
            1);
}

// A document the writer refuses never reaches the disk.
TEST(SavePackage, RefusedDocumentKeepsTheEarlierFile) {
  TempFolder folder;
  const auto path = folder.write("report.xlsx", "earlier good report");
  Document d = two_sheet_document();
  d.sheets.clear();
  EXPECT_THROW(save_package(d, path), std::invalid_argument);
  EXPECT_EQ(read_file(path), "earlier good report");
}

}  // namespace
}  // namespace fb::xlsx
