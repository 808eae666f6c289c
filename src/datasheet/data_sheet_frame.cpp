#include <string_view>

#include "platform/sheet/application.h"
#include "platform/sheet/range.h"
#include "src/component/component.h"
#include "src/datasheet/steps.h"

namespace kivo2d {
namespace {

using fb::sheet::HorizontalAlignment;
using fb::sheet::VerticalAlignment;

constexpr std::string_view kNarrowColumns = "A:A,K:K,P:P,AB:AB,AI:AI";
constexpr std::string_view kOrdinalColumns = "B:B,F:F,G:G,H:H,I:I,J:J,L:L,M:M,N:N,O:O,Q:AA";
constexpr std::string_view kCentredHeadings = "B2:B3,C2,D2,E2,F2:J3,L2:O3,Q2:AA3,AC2:AK3";
constexpr std::string_view kBorderedBlocks = "B2:J244,L2:O244,Q2:AA244,AC2:AH244,AJ2:AK244";
// Each two-cell area is merged on its own.
constexpr std::string_view kMergedHeadings =
    "B2:B3,F2:F3,G2:G3,H2:H3,I2:I3,J2:J3,L2:L3,M2:M3,N2:N3,O2:O3,Q2:Q3,R2:R3,S2:S3,T2:T3,U2:U3,"
    "V2:V3,W2:W3,X2:X3,Y2:Y3,Z2:Z3,AA2:AA3,AJ2:AJ3,AK2:AK3";

struct Heading {
  std::string_view cell;
  std::string_view text;
};

// "Key’" ends with a right single quotation mark; the two-line headings break with a line feed.
constexpr Heading kHeadings[] = {
    {"B2", "NO"},         {"E2", "Key\u2019"},  {"F2", "1"},         {"G2", "2"},
    {"H2", "3"},          {"I2", "4"},          {"J2", "5"},         {"L2", "MAX2"},
    {"M2", "MAX3"},       {"N2", "MAX4"},       {"O2", "MAX5"},      {"Q2", "T2"},
    {"R2", "SUM+\nC④|⑤"}, {"S2", "SUM-\nC④|⑤"}, {"T2", "⑤/2+\nMAX"}, {"U2", "⑤/2-\nMAX"},
    {"V2", "T3"},         {"W2", "T4"},         {"X2", "T5"},        {"Y2", "NO."},
    {"Z2", "NO.\nMAX"},   {"AA2", "SUM"},       {"AC2", "0mm"},      {"AD2", "1mm"},
    {"AE2", "2mm"},       {"AF2", "3mm"},       {"AG2", "4mm"},      {"AH2", "5mm"}};

}  // namespace

void FormatDataSheet(Component& component) {
  fb::sheet::Worksheet& sheet = component.app().active_sheet();

  fb::sheet::Range all = sheet.cells();
  all.interior().set_color_index(2);
  all.interior().set_pattern(fb::sheet::Pattern::Solid);
  all.set_wrap_text(true);
  all.font().set_name("Arial");
  all.font().set_size(8);

  sheet.range(kNarrowColumns).set_column_width(1);
  sheet.range(kOrdinalColumns).set_column_width(3.22);
  sheet.range("C:C").set_column_width(10);
  sheet.range("D:D,E:E").set_column_width(5);

  sheet.range("B4").set_value("1");
  sheet.range("B4").auto_fill(sheet.range("B4:B54"), fb::sheet::AutoFillType::Series);

  fb::sheet::Range headings = sheet.range(kCentredHeadings);
  headings.set_horizontal_alignment(HorizontalAlignment::Center);
  headings.set_vertical_alignment(VerticalAlignment::Center);

  sheet.range(kBorderedBlocks).borders().set_line_style(fb::sheet::LineStyle::Continuous);

  sheet.range(kMergedHeadings).merge();
}

void WriteHeadings(Component& component) {
  fb::sheet::Worksheet& sheet = component.app().active_sheet();
  for (const Heading& heading : kHeadings) sheet.range(heading.cell).set_value(heading.text);
  sheet.range("AC3:AH3").set_value("X");
  sheet.range("AJ2").set_value("x");
  sheet.range("AK2").set_value("y");
}

}  // namespace kivo2d
