#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "src/report/report_template.h"
#include "src/report/resources.h"
#include "tests/support/python_reader.h"
#include "tools/xlt_template/report_template.h"

namespace kivo2d {
namespace {

std::vector<unsigned char> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(TemplateResource, ByteCountConstantIsTheEmbeddedLength) {
  const auto resource = LoadCustomResource(kReportTemplateResourceId);
  EXPECT_EQ(static_cast<std::size_t>(kReportTemplateByteCount), resource.size());
}

TEST(TemplateResource, CommittedFileIsWhatTheGeneratorWrites) {
  const std::vector<unsigned char> committed = ReadFile(FB_TEMPLATE_FILE);
  const std::vector<std::uint8_t> generated = fb::xlt::build_report_template();
  ASSERT_EQ(generated.size(), committed.size());
  EXPECT_TRUE(std::equal(generated.begin(), generated.end(), committed.begin()))
      << "run the xlt_template tool and commit its output";
  const auto resource = LoadCustomResource(kReportTemplateResourceId);
  EXPECT_TRUE(std::equal(resource.begin(), resource.end(), committed.begin(), committed.end()))
      << "the embedded resource is stale";
}

TEST(TemplateResource, UnknownIdHasNoResource) {
  EXPECT_TRUE(LoadCustomResource(102).empty());
  EXPECT_TRUE(LoadCustomResource(0).empty());
}

// A spreadsheet reader that is not ours must see the sheet, the fonts, the styles and the
// defaults. Skipped where python3 with xlrd is not installed.
TEST(TemplateResource, ReadByXlrd) {
  const auto python = fbtest::PythonWith("xlrd");
  if (!python) GTEST_SKIP() << "python3 with xlrd is not installed";

  const std::string script = R"PY(
import sys, xlrd
b = xlrd.open_workbook(sys.argv[1], formatting_info=True)
s = b.sheet_by_index(0)
fonts = sorted({(f.name, f.height, f.character_set) for f in b.font_list if f.name != 'Dummy Font'})
print(b.sheet_names(), b.codepage, b.countries, s.nrows, s.ncols, s.defcolwidth,
      s.default_row_height, s.show_grid_lines, s.show_zero_values, s.sheet_visible,
      s.sheet_selected, fonts, sorted(b.style_name_map), b.format_map[7].format_str)
)PY";
  setenv("FB_XLRD_SCRIPT", script.c_str(), 1);
  const fbtest::CommandResult run =
      fbtest::RunCommand(*python + " -c \"$FB_XLRD_SCRIPT\" '" + FB_TEMPLATE_FILE + "'");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.output,
            "['Sheet1'] 1200 (86, 86) 0 0 8 285 1 1 1 1 "
            "[('宋体', 180, 134), ('宋体', 240, 134)] "
            "['Comma', 'Comma [0]', 'Currency', 'Currency [0]', 'Normal', 'Percent'] "
            "\"￥\"#,##0.00;\"￥\"\\-#,##0.00\n");
}

}  // namespace
}  // namespace kivo2d
