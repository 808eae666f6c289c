#include "src/report/report_sheet.h"

#include <string>

#include "platform/os/environment.h"
#include "platform/sheet/range.h"
#include "src/component/component.h"
#include "src/report/maker_site.h"
#include "src/report/report_template.h"
#include "src/report/resources.h"
#include "src/report/save_resource_to_file.h"

namespace kivo2d {
namespace {

using fb::sheet::BorderIndex;
using fb::sheet::BorderWeight;
using fb::sheet::HorizontalAlignment;
using fb::sheet::LineStyle;
using fb::sheet::ReadingOrder;
using fb::sheet::VerticalAlignment;

constexpr int kWhite = 2;
constexpr int kRed = 3;
constexpr int kLightGreen = 43;

struct CellText {
  const char* cell;
  const char* text;
};

// In the order the step writes them.
constexpr CellText kTexts[] = {
    {"T4", "审核"},
    {"X4", "制作"},
    {"B3", "№"},
    {"B6", "Month/Year:"},
    {"F6", "工场名："},
    {"N6", "部门："},
    {"S6", "产品名称："},
    {"X6", "工序 & 过程："},
    {"B27", "团队技术统计[被团队成员多次提及的原因列表，高频优先]："},
    {"R27", "参与人员："},
    {"B28", "1"},
    {"B29", "2"},
    {"B30", "3"},
    {"G28", "4"},
    {"G29", "5"},
    {"G30", "6"},
    {"L28", "7"},
    {"L29", "8"},
    {"L30", "9"},
    {"Y32", "QA-"},
};

constexpr const char* kSignOffBoxes = "T4:U4,V4:W4,X4:Y4,Z4:AA4";
constexpr const char* kFieldCells = "B6:E6,B7:E7,F6:M6,F7:M7,N6:R6,N7:R7,S6:W6,S7:W7,X6:AA6,X7:AA7";
constexpr const char* kSectionHeadings = "B27:Q27,R27:AA27";
constexpr const char* kWriteInLines =
    "C28:F28,C29:F29,C30:F30,H28:K28,H29:K29,H30:K30,M28:P28,M29:P29,M30:P30";
constexpr const char* kOutlinedBoxes =
    "T4:U4,V4:W4,X4:Y4,Z4:AA4,B6:E7,F6:M7,N6:R7,S6:W7,X6:AA7,B8:AA26,B27:Q31,R27:AA31";
constexpr const char* kNumberCells = "B28:B30,G28:G30,L28:L30";
constexpr const char* kTitleBand = "B3:S5";

void AlignGeneralBottom(const fb::sheet::Range& range) {
  fb::sheet::Range r = range;
  r.set_horizontal_alignment(HorizontalAlignment::General);
  r.set_vertical_alignment(VerticalAlignment::Bottom);
  r.set_reading_order(ReadingOrder::Context);
}

}  // namespace

void OpenReportWorkbook(Component& component) {
  component.win_dir = component.environment().value(fb::os::kWinDir);
  SaveResourceToFile(component.win_dir + std::string(kTemplateWritePath), kReportTemplateResourceId,
                     kReportTemplateByteCount);
  const std::string path = component.win_dir + std::string(kTemplateOpenPath);
  fb::sheet::Workbook& report = component.app().workbooks().open(path);
  component.run_workbooks.push_back(report.name());
  component.file_system().DeleteFile(path);
}

void WriteReportCells(Component& component) {
  fb::sheet::Application& app = component.app();
  fb::sheet::Worksheet& sheet = app.active_sheet();

  sheet.cells().select();
  sheet.cells().interior().set_color_index(kWhite);
  sheet.hyperlinks().add(sheet.range("Y2"), kMakerWebAddress, "", "", kMakerDomain);
  for (const CellText& t : kTexts) sheet.range(t.cell).set_formula(t.text);

  sheet.columns("A:A").set_column_width(1.78);
  if (app.profile() == fb::sheet::HostProfile::V11) sheet.columns("B:AA").set_column_width(4.75);
  if (app.profile() == fb::sheet::HostProfile::V12) sheet.columns("B:AA").set_column_width(5.25);
  sheet.rows("1:32").set_row_height(20);
  sheet.range("3:3,5:5,31:31").set_row_height(10);

  sheet.range(kSignOffBoxes).merge();
  fb::sheet::Range sign_off = sheet.range("T4:AA4");
  sign_off.set_horizontal_alignment(HorizontalAlignment::Center);
  sign_off.set_vertical_alignment(VerticalAlignment::Center);
  sign_off.set_reading_order(ReadingOrder::Context);
  sheet.range(kFieldCells).merge();
  sheet.range("B6:AA6").interior().set_color_index(kLightGreen);
  sheet.range(kSectionHeadings).merge();
  sheet.range("B27:AA27").interior().set_color_index(kLightGreen);

  auto rule = sheet.range("B2:AA2").borders(BorderIndex::EdgeBottom);
  rule.set_line_style(LineStyle::Continuous);
  rule.set_weight(BorderWeight::Medium);
  rule.set_color_index(kRed);
  auto lines = sheet.range(kWriteInLines).borders(BorderIndex::EdgeBottom);
  lines.set_line_style(LineStyle::Continuous);
  lines.set_weight(BorderWeight::Thin);
  for (BorderIndex edge : {BorderIndex::EdgeTop, BorderIndex::EdgeBottom, BorderIndex::EdgeLeft,
                           BorderIndex::EdgeRight}) {
    auto border = sheet.range(kOutlinedBoxes).borders(edge);
    border.set_line_style(LineStyle::Continuous);
    border.set_weight(BorderWeight::Thin);
  }
  AlignGeneralBottom(sheet.range(kNumberCells));
}

void MergeTitleBand(Component& component) {
  fb::sheet::Range band = component.app().active_sheet().range(kTitleBand);
  band.merge();
  AlignGeneralBottom(band);
}

void FinishReportSheet(Component& component) {
  fb::sheet::Application& app = component.app();
  fb::sheet::Worksheet& sheet = app.active_sheet();
  sheet.cells().font().set_name("仿宋_GB2312");
  sheet.cells().font().set_size(10);
  sheet.cells().font().set_name("Arial");
  sheet.cells().font().set_size(10);

  fb::sheet::PageSetup& page = sheet.page_setup();
  page.set_print_area("$B$2:$AA$32");
  page.set_left_margin(fb::sheet::Application::inches_to_points(0.4));
  page.set_right_margin(fb::sheet::Application::inches_to_points(0.4));
  page.set_top_margin(fb::sheet::Application::inches_to_points(0.4));
  page.set_bottom_margin(fb::sheet::Application::inches_to_points(0.4));
  page.set_header_margin(fb::sheet::Application::inches_to_points(0.2));
  page.set_footer_margin(fb::sheet::Application::inches_to_points(0.2));
  page.set_center_horizontally(true);
  page.set_center_vertically(true);
  page.set_orientation(fb::sheet::PageOrientation::Landscape);
  page.set_paper_size(fb::sheet::kPaperA4);
  page.set_zoom(std::nullopt);
  page.set_fit_to_pages_wide(1);
  page.set_fit_to_pages_tall(1);

  app.clear_clipboard();
  sheet.range("A1").select();
}

}  // namespace kivo2d
