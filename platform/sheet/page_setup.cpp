#include "platform/sheet/page_setup.h"

#include "platform/os/host_error.h"
#include "platform/sheet/range.h"
#include "platform/sheet/worksheet.h"

namespace fb::sheet {

void PageSetup::set_print_area(std::string_view reference) {
  if (reference.empty()) {
    print_area_.clear();
    return;
  }
  print_area_ = sheet_->range(reference).address();
}

void PageSetup::set_zoom(std::optional<int> percent) {
  if (percent && (*percent < 10 || *percent > 400)) {
    throw HostError(
        host_error::kApplicationDefined,
        "Unable to set the Zoom property: " + std::to_string(*percent) + " lies outside 10 to 400");
  }
  zoom_ = percent;
}

double PageSetup::checked(double points) {
  if (points < 0) {
    throw HostError(host_error::kApplicationDefined, "A page margin cannot be negative");
  }
  return points;
}

std::optional<int> PageSetup::checked_pages(std::optional<int> pages) {
  if (pages && *pages < 1) {
    throw HostError(host_error::kApplicationDefined, "Fit to pages needs at least one page");
  }
  return pages;
}

}  // namespace fb::sheet
