#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/os/environment.h"
#include "platform/os/host_error.h"
#include "platform/sheet/application.h"
#include "platform/sheet/column_width.h"
#include "platform/sheet/range.h"
#include "platform/sheet/template/template_book.h"
#include "platform/sheet/template/template_error.h"

namespace fb::sheet {
namespace {

std::vector<std::uint8_t> template_bytes() {
  std::ifstream in(FB_TEMPLATE_FILE, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class TemplateOpen : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("fb-template-open-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_ / "Temp");
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // Writes the bytes as "Temp\Fishbone Diagram Report.xlt" and returns its Windows-style path.
  std::string write(const std::vector<std::uint8_t>& bytes) {
    std::ofstream(dir_ / "Temp" / "Fishbone Diagram Report.xlt", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return dir_.string() + "\\Temp\\Fishbone Diagram Report.xlt";
  }

  std::filesystem::path dir_;
  os::MapEnvironment env_;
  Application app_{env_};
};

TEST_F(TemplateOpen, MakesANewNumberedWorkbookWithTheTemplateDefaults) {
  const std::string path = write(template_bytes());
  Workbook& first = app_.workbooks().open(path);
  EXPECT_EQ(first.name(), "Fishbone Diagram Report1");
  EXPECT_EQ(first.full_name(), "");  // never saved: the template itself is not open
  EXPECT_EQ(&app_.active_workbook(), &first);
  ASSERT_EQ(first.worksheets().count(), 1);
  Worksheet& sheet = app_.active_sheet();
  EXPECT_EQ(sheet.name(), "Sheet1");
  EXPECT_EQ(first.standard_font().name, "宋体");
  EXPECT_EQ(first.standard_font().size, 12);
  EXPECT_EQ(sheet.range("C7").font().name(), "宋体");
  EXPECT_DOUBLE_EQ(sheet.column_width(5), 8.38);
  EXPECT_DOUBLE_EQ(sheet.row_height(5), 14.25);
  EXPECT_EQ(sheet.used_range().address(), "$A$1");
  EXPECT_TRUE(std::filesystem::exists(dir_ / "Temp" / "Fishbone Diagram Report.xlt"));

  Workbook& second = app_.workbooks().open(path);
  EXPECT_EQ(second.name(), "Fishbone Diagram Report2");
  EXPECT_EQ(app_.workbooks().count(), 2);
}

TEST(TemplateReader, SeesFontsStylesAndLocale) {
  const xlt::TemplateBook book = xlt::read_template_file(FB_TEMPLATE_FILE);
  EXPECT_EQ(book.code_page, 1200);
  EXPECT_EQ(book.country, 86);
  ASSERT_EQ(book.fonts.size(), 6U);  // 0 to 3, the placeholder 4, and 5
  EXPECT_EQ(book.fonts[0].name, "宋体");
  EXPECT_EQ(book.fonts[0].charset, 134);
  EXPECT_EQ(book.fonts[5].size, 9);
  std::vector<std::string> names;
  for (const auto& style : book.styles) names.push_back(style.name);
  EXPECT_EQ(names, (std::vector<std::string>{"Comma", "Comma [0]", "Currency", "Currency [0]",
                                             "Normal", "Percent"}));
  EXPECT_EQ(book.styles[2].number_format,
            "_ \"￥\"* #,##0.00_ ;_ \"￥\"* \\-#,##0.00_ ;_ \"￥\"* \"-\"??_ ;_ @_ ");
  EXPECT_EQ(book.styles[5].number_format, "0%");
  ASSERT_EQ(book.sheets.size(), 1U);
  EXPECT_TRUE(book.sheets[0].visible);
  EXPECT_TRUE(book.sheets[0].selected);
  EXPECT_EQ(book.sheets[0].default_column_width, 8);
  EXPECT_EQ(book.sheets[0].default_row_height, 14.25);
}

// A damaged template is refused with the host's error naming the file; nothing is opened.
TEST_F(TemplateOpen, TruncatedTemplateIsAHostErrorNamingTheFile) {
  const auto good = template_bytes();
  for (std::size_t length :
       {std::size_t{0}, std::size_t{8}, std::size_t{511}, std::size_t{512}, std::size_t{1024},
        good.size() / 2, good.size() - 512, good.size() - 1}) {
    const std::string path = write({good.begin(), good.begin() + static_cast<long>(length)});
    try {
      app_.workbooks().open(path);
      ADD_FAILURE() << "a template cut to " << length << " bytes opened";
    } catch (const HostError& e) {
      EXPECT_EQ(e.number(), 1004);
      EXPECT_NE(std::string(e.what()).find("Fishbone Diagram Report.xlt"), std::string::npos)
          << e.what();
    }
    EXPECT_EQ(app_.workbooks().count(), 0) << length;
  }
}

TEST_F(TemplateOpen, MissingTemplateIsAHostError) {
  try {
    app_.workbooks().open(dir_.string() + "\\Temp\\Fishbone Diagram Report.xlt");
    ADD_FAILURE() << "a missing template opened";
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), 1004);
  }
}

// Every single-byte corruption either still reads or is refused as a damaged template; the
// reader never reads out of bounds or loops (run under the sanitizers of the debug preset).
TEST(TemplateReader, SurvivesEveryFlippedByte) {
  const auto good = template_bytes();
  int refused = 0;
  for (std::size_t at = 0; at < good.size(); ++at) {
    for (std::uint8_t mask : {std::uint8_t{0xFF}, std::uint8_t{0x80}}) {
      auto bad = good;
      bad[at] ^= mask;
      try {
        const xlt::TemplateBook book = xlt::read_template(std::move(bad));
        EXPECT_FALSE(book.sheets.empty());
        EXPECT_FALSE(book.fonts.empty());
      } catch (const xlt::TemplateError&) {
        ++refused;
      }
    }
  }
  EXPECT_GT(refused, 0);  // the signature bytes alone must be refused
}

TEST(ColumnWidth, PointsAsTheSpreadsheetDrawsThem) {
  const Font song{"宋体", 12};
  const Font arial{"Arial", 10};
  struct Case {
    double characters;
    const Font* font;
    int pixels;
  };
  for (const Case c :
       {Case{4.75, &song, 43}, Case{5.25, &song, 47}, Case{1.78, &song, 19}, Case{8.38, &song, 72},
        Case{0, &song, 0}, Case{8.43, &arial, 64}, Case{1, &arial, 12}}) {
    EXPECT_EQ(column_width_pixels(c.characters, *c.font), c.pixels)
        << c.characters << " " << c.font->name;
    EXPECT_DOUBLE_EQ(column_width_points(c.characters, *c.font), c.pixels * 0.75);
  }
  EXPECT_DOUBLE_EQ(standard_column_width(8, song), 8.38);
  EXPECT_DOUBLE_EQ(standard_column_width(8, arial), 8.43);
}

}  // namespace
}  // namespace fb::sheet
