#pragma once

#include <string>

#include "platform/os/environment.h"
#include "platform/sheet/application.h"
#include "platform/sheet/range.h"
#include "platform/xlsx/model_adapter.h"

namespace fb::xlsx::testing {

// The frame of a one-page report built through the host's object model: a white sheet, sized
// columns and rows, shaded and outlined fields, merged boxes and a few texts and numbers.
struct ReportWorkbook {
  os::MapEnvironment env;
  sheet::Application app{env, "12.0"};
  sheet::Workbook& book = app.workbooks().add();
  sheet::Worksheet& sheet = book.worksheets().item(1);

  ReportWorkbook() {
    using namespace sheet;
    sheet.cells().interior().set_color_index(2);
    sheet.range("Y32").set_value("QA-");
    sheet.range("B3").set_value("№");
    sheet.range("B28").set_value("=1");
    sheet.range("G28").set_value("4");
    sheet.range("A:A").set_column_width(1.78);
    sheet.range("B:AA").set_column_width(5.25);
    sheet.range("1:32").set_row_height(20);
    sheet.range("3:3").set_row_height(10);
    sheet.range("B6:E6").merge();
    sheet.range("B6:AA6").interior().set_color_index(43);
    sheet.range("B3:S5").merge();
    auto bottom = sheet.range("B2:AA2").borders(BorderIndex::EdgeBottom);
    bottom.set_line_style(LineStyle::Continuous);
    bottom.set_weight(BorderWeight::Medium);
    bottom.set_color_index(3);
    sheet.cells().font().set_name("Arial");
    sheet.cells().font().set_size(10);
  }

  // What the model does not carry yet: the page setup, print area, link and logo picture.
  static SheetExtras extras() {
    SheetExtras e;
    PageSetup setup;
    setup.left_margin = setup.right_margin = setup.top_margin = setup.bottom_margin = 28.8;
    setup.header_margin = setup.footer_margin = 14.4;
    setup.center_horizontally = setup.center_vertically = true;
    setup.orientation = Orientation::Landscape;
    setup.paper_size = 9;
    setup.zoom = std::nullopt;
    e.page_setup = setup;
    e.print_area = sheet::RangeAddress{{2, 2}, {32, 27}};
    e.hyperlinks = {{{2, 25}, "https://example.org/fishbone", "example.org", ""}};
    e.show_gridlines = false;
    static const std::string kOnePixelPng(
        "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x01\x00"
        "\x00\x00\x01\x08\x02\x00\x00\x00\x90\x77\x53\xde\x00\x00\x00\x0c\x49\x44\x41\x54\x78"
        "\x9c\x63\xf8\xcf\xc0\x00\x00\x03\x01\x01\x00\xc9\xfe\x92\xef\x00\x00\x00\x00\x49\x45"
        "\x4e\x44\xae\x42\x60\x82",
        69);
    e.drawings = {{"Picture 2", 40, 22, 76.5, 24, 0, Placement::Move,
                   PictureContent{ImageFormat::Png, kOnePixelPng, "https://example.org/fishbone"}}};
    return e;
  }
};

}  // namespace fb::xlsx::testing
