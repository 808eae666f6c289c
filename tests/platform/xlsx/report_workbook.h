#pragma once

#include <memory>
#include <string>

#include "platform/os/environment.h"
#include "platform/render/display_list.h"
#include "platform/sheet/application.h"
#include "platform/sheet/range.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_collection.h"
#include "platform/sheet/worksheet.h"
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

    sheet::PageSetup& page = sheet.page_setup();
    page.set_print_area("B2:AA32");
    for (auto set : {&sheet::PageSetup::set_left_margin, &sheet::PageSetup::set_right_margin,
                     &sheet::PageSetup::set_top_margin, &sheet::PageSetup::set_bottom_margin}) {
      (page.*set)(Application::inches_to_points(0.4));
    }
    page.set_header_margin(Application::inches_to_points(0.2));
    page.set_footer_margin(Application::inches_to_points(0.2));
    page.set_center_horizontally(true);
    page.set_center_vertically(true);
    page.set_orientation(PageOrientation::Landscape);
    page.set_zoom(std::nullopt);
    sheet.hyperlinks().add(sheet.range("Y2"), "https://example.org/fishbone", "", "",
                           "example.org");

    // The diagram: a drawing picture at B8 that moves with its cells; the logo: a raster
    // picture at C2 whose black background is transparent.
    auto drawing = std::make_shared<Drawing>();
    drawing->width = 918;
    drawing->height = 369;
    Shape& diagram = sheet.shapes().add_drawing_picture(drawing, kColumnA, 130);
    diagram.placement = sheet::Placement::Move;
    auto logo =
        std::make_unique<Shape>(ShapeKind::Picture, "Logo", kColumnA + kColumnB, 20, 76.5, 24.25);
    auto pixels = std::make_shared<raster::Picture>(2, 1, raster::Rgba{0, 0, 0, 255});
    pixels->set_pixel(1, 0, raster::Rgba{255, 0, 0, 255});
    logo->raster = pixels;
    logo->transparent_background = true;
    logo->placement = sheet::Placement::Move;
    sheet.shapes().adopt(std::move(logo));
  }

  // Column A is 1.78 characters of Arial 10 (17 pixels), B to AA 5.25 (42 pixels); rows 1 to 7
  // are 20 points but row 3 (10 points), so B8 is at (12.75, 130).
  static constexpr double kColumnA = 12.75;
  static constexpr double kColumnB = 31.5;

  // Draws a drawing as a green box of its size, so tests can see where and how large it went.
  static render::DisplayList green_box(const sheet::Drawing& drawing) {
    render::DisplayList list(drawing.width, drawing.height);
    list.rect({0, 0, drawing.width, drawing.height}, render::SolidFill{{0, 128, 0, 255}});
    return list;
  }
};

}  // namespace fb::xlsx::testing
