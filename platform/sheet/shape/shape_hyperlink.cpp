#include "platform/sheet/shape/shape_hyperlink.h"

#include <string>

#include "platform/os/host_error.h"
#include "platform/sheet/hyperlinks.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_collection.h"
#include "platform/sheet/worksheet.h"

namespace fb::sheet {

ShapeHyperlink& Hyperlinks::add(Shape& anchor, std::string_view address,
                                std::string_view sub_address, std::string_view screen_tip) {
  if (anchor.owner() != &sheet_->shapes()) {
    throw HostError(
        host_error::kApplicationDefined,
        "The anchor " + anchor.name() + " is no drawing object of the sheet " + sheet_->name());
  }
  if (address.empty() && sub_address.empty()) {
    throw HostError(host_error::kApplicationDefined, "A hyperlink needs an address");
  }
  anchor.hyperlink =
      ShapeHyperlink{std::string(address), std::string(sub_address), std::string(screen_tip)};
  return *anchor.hyperlink;
}

}  // namespace fb::sheet
