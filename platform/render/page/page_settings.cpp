#include "platform/render/page/page_settings.h"

#include <stdexcept>
#include <string>
#include <utility>

#include "platform/sheet/address.h"
#include "platform/sheet/worksheet.h"

namespace fb::render {
namespace {

struct Paper {
  int number;
  Size portrait;
};

// The host's paper numbers, portrait sizes in points.
constexpr Paper kPapers[] = {
    {1, {612, 792}},         // Letter
    {5, {612, 1008}},        // Legal
    {8, {841.89, 1190.55}},  // A3
    {9, {595.28, 841.89}},   // A4
    {11, {419.53, 595.28}},  // A5
};

std::invalid_argument sheet_problem(const sheet::Worksheet& sheet, const std::string& problem) {
  return std::invalid_argument("sheet \"" + sheet.name() + "\": " + problem);
}

}  // namespace

Size paper_size(int paper, sheet::PageOrientation orientation) {
  for (const Paper& p : kPapers) {
    if (p.number != paper) continue;
    if (orientation == sheet::PageOrientation::Landscape) {
      return {p.portrait.height, p.portrait.width};
    }
    return p.portrait;
  }
  throw std::invalid_argument("paper size " + std::to_string(paper) + " is not known");
}

PageSettings page_settings_of(const sheet::Worksheet& sheet) {
  const sheet::PageSetup& setup = sheet.page_setup();
  if (setup.print_area().empty()) throw sheet_problem(sheet, "no print area is set");
  const auto areas = sheet::parse_a1_reference(setup.print_area(), sheet.grid());
  if (!areas || areas->size() != 1) {
    throw sheet_problem(sheet, "the print area " + setup.print_area() + " is not one range");
  }

  PageSettings settings;
  settings.paper = paper_size(setup.paper_size(), setup.orientation());
  settings.left_margin = setup.left_margin();
  settings.right_margin = setup.right_margin();
  settings.top_margin = setup.top_margin();
  settings.bottom_margin = setup.bottom_margin();
  settings.centre_horizontally = setup.center_horizontally();
  settings.centre_vertically = setup.center_vertically();
  settings.print_area = areas->front();
  if (const auto zoom = setup.zoom()) {
    settings.fit_to_one_page = false;
    settings.zoom = *zoom / 100.0;
  } else {
    if (setup.fit_to_pages_wide() != 1 || setup.fit_to_pages_tall() != 1) {
      throw sheet_problem(sheet, "only fitting to one page wide and tall prints as one page");
    }
    settings.fit_to_one_page = true;
  }
  return settings;
}

}  // namespace fb::render
