#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/sheet/application.h"
#include "platform/sheet/range.h"

namespace kivo2d::testing {

// The report form's cells on the host's active sheet, with columns B to AA `column_width`
// characters wide: sizes, texts, the Y2 link, merges, fills, borders, alignment, fonts, page
// setup and A1 selected.
inline void ExpectReportForm(fb::sheet::Application& app, double column_width) {
  using fb::sheet::BorderWeight;
  using fb::sheet::CellEdge;
  using fb::sheet::LineStyle;
  fb::sheet::Worksheet& s = app.active_sheet();

  EXPECT_DOUBLE_EQ(s.column_width(1), 1.78);
  for (int c = 2; c <= 27; ++c) EXPECT_DOUBLE_EQ(s.column_width(c), column_width) << c;
  EXPECT_DOUBLE_EQ(s.column_width(28), 8.38);
  for (int r = 1; r <= 32; ++r) {
    EXPECT_DOUBLE_EQ(s.row_height(r), r == 3 || r == 5 || r == 31 ? 10 : 20) << r;
  }
  EXPECT_DOUBLE_EQ(s.row_height(33), 14.25);

  struct Text {
    const char* cell;
    fb::sheet::Value value;
  };
  const Text texts[] = {
      {"T4", std::string("审核")},
      {"X4", std::string("制作")},
      {"B3", std::string("№")},
      {"B6", std::string("Month/Year:")},
      {"F6", std::string("工场名：")},
      {"N6", std::string("部门：")},
      {"S6", std::string("产品名称：")},
      {"X6", std::string("工序 & 过程：")},
      {"B27", std::string("团队技术统计[被团队成员多次提及的原因列表，高频优先]：")},
      {"R27", std::string("参与人员：")},
      {"B28", 1.0},
      {"B30", 3.0},
      {"G29", 5.0},
      {"L28", 7.0},
      {"L30", 9.0},
      {"Y32", std::string("QA-")},
      {"Y2", std::string("kivo2.example")},
      {"C28", fb::sheet::Empty{}},
  };
  for (const Text& t : texts) EXPECT_EQ(s.range(t.cell).value(), t.value) << t.cell;
  ASSERT_EQ(s.hyperlinks().count(), 1);
  EXPECT_EQ(s.hyperlinks().items()[0].address, "https://kivo2.example/");

  std::vector<std::string> merges;
  for (const auto& m : s.merges()) {
    merges.push_back(fb::sheet::Range(s, {m}).address(false, false));
  }
  std::sort(merges.begin(), merges.end());
  EXPECT_EQ(merges,
            (std::vector<std::string>{"B27:Q27", "B3:S5", "B6:E6", "B7:E7", "F6:M6", "F7:M7",
                                      "N6:R6", "N7:R7", "R27:AA27", "S6:W6", "S7:W7", "T4:U4",
                                      "V4:W4", "X4:Y4", "X6:AA6", "X7:AA7", "Z4:AA4"}));

  struct Fill {
    const char* cell;
    int color_index;
  };
  for (const Fill f : {Fill{"A1", 2}, Fill{"B6", 43}, Fill{"AA6", 43}, Fill{"B7", 2},
                       Fill{"Q27", 43}, Fill{"AA27", 43}, Fill{"AB27", 2}, Fill{"XFD100", 2}}) {
    if (std::string(f.cell) == "XFD100" && app.version() == "11.0") continue;
    EXPECT_EQ(s.range(f.cell).interior().color_index(), f.color_index) << f.cell;
  }

  struct Edge {
    const char* cell;
    CellEdge edge;
    LineStyle style;
    BorderWeight weight;
    int color_index;
  };
  constexpr int kAuto = fb::sheet::kColorIndexAutomatic;
  constexpr LineStyle kLine = LineStyle::Continuous;
  constexpr LineStyle kNone = LineStyle::None;
  for (const Edge e : {
           Edge{"B2", CellEdge::Bottom, kLine, BorderWeight::Medium, 3},
           Edge{"AA2", CellEdge::Bottom, kLine, BorderWeight::Medium, 3},
           Edge{"C28", CellEdge::Bottom, kLine, BorderWeight::Thin, kAuto},
           Edge{"P30", CellEdge::Bottom, kLine, BorderWeight::Thin, kAuto},
           Edge{"B28", CellEdge::Bottom, kNone, BorderWeight::Thin, kAuto},  // number cell
           Edge{"S28", CellEdge::Bottom, kNone, BorderWeight::Thin, kAuto},  // participants
           Edge{"T4", CellEdge::Left, kLine, BorderWeight::Thin, kAuto},
           Edge{"U4", CellEdge::Right, kLine, BorderWeight::Thin, kAuto},
           Edge{"B6", CellEdge::Bottom, kNone, BorderWeight::Thin, kAuto},  // label over entry
           Edge{"B7", CellEdge::Bottom, kLine, BorderWeight::Thin, kAuto},
           Edge{"B8", CellEdge::Top, kLine, BorderWeight::Thin, kAuto},
           Edge{"AA26", CellEdge::Right, kLine, BorderWeight::Thin, kAuto},
           Edge{"M15", CellEdge::Top, kNone, BorderWeight::Thin, kAuto},
           Edge{"Q31", CellEdge::Bottom, kLine, BorderWeight::Thin, kAuto},
           Edge{"R31", CellEdge::Left, kLine, BorderWeight::Thin, kAuto},
       }) {
    const fb::sheet::Border& b = s.range(e.cell).format().border(e.edge);
    EXPECT_EQ(b.line_style, e.style) << e.cell;
    if (e.style != kNone) {
      EXPECT_EQ(b.weight, e.weight) << e.cell;
      EXPECT_EQ(b.color_index, e.color_index) << e.cell;
    }
  }

  EXPECT_EQ(s.range("T4").horizontal_alignment(), fb::sheet::HorizontalAlignment::Center);
  EXPECT_EQ(s.range("Z4").vertical_alignment(), fb::sheet::VerticalAlignment::Center);
  EXPECT_EQ(s.range("B3").horizontal_alignment(), fb::sheet::HorizontalAlignment::General);
  EXPECT_EQ(s.range("B3").vertical_alignment(), fb::sheet::VerticalAlignment::Bottom);

  for (const char* cell : {"A1", "B3", "B27", "Y32", "AB40"}) {
    EXPECT_EQ(s.range(cell).font().name(), "Arial") << cell;
    EXPECT_EQ(s.range(cell).font().size(), 10) << cell;
  }

  const fb::sheet::PageSetup& page = s.page_setup();
  EXPECT_EQ(page.print_area(), "$B$2:$AA$32");
  for (double margin :
       {page.left_margin(), page.right_margin(), page.top_margin(), page.bottom_margin()}) {
    EXPECT_DOUBLE_EQ(margin, 28.8);
  }
  EXPECT_DOUBLE_EQ(page.header_margin(), 14.4);
  EXPECT_DOUBLE_EQ(page.footer_margin(), 14.4);
  EXPECT_TRUE(page.center_horizontally());
  EXPECT_TRUE(page.center_vertically());
  EXPECT_EQ(page.orientation(), fb::sheet::PageOrientation::Landscape);
  EXPECT_EQ(page.paper_size(), 9);
  EXPECT_FALSE(page.zoom().has_value());
  EXPECT_EQ(page.fit_to_pages_wide(), 1);
  EXPECT_EQ(page.fit_to_pages_tall(), 1);
  EXPECT_EQ(app.selection().address(), "$A$1");
}

}  // namespace kivo2d::testing
