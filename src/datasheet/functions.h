#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "platform/sheet/addins.h"

namespace kivo2d {

// The ProgID under which the host finds the class for its automation add-in mechanism.
inline constexpr std::string_view kFunctionsProgId = "KIVO2D.Functions";

// The component's worksheet functions. The top-three table's formulas call Weizhi while the
// add-in is installed.
class Functions : public fb::sheet::AutomationObject {
 public:
  // The address ("$K$9") of the k-th cell of `range_regiona`, in the range's own order, whose
  // value as text contains the value of `find_r` as text; "" when fewer than k cells do.
  // Containment, not equality: a cell holding 13 matches a sought 3.
  static fb::sheet::Value Weizhi(const fb::sheet::AddinArgument& find_r,
                                 const fb::sheet::AddinArgument& range_regiona,
                                 const fb::sheet::AddinArgument& k);

  std::optional<fb::sheet::Value> call(std::string_view function,
                                       std::span<const fb::sheet::AddinArgument> args) override;
};

// What the component's self-registration does for this class: makes it available to the host
// under kFunctionsProgId.
void RegisterFunctionsClass(fb::sheet::AddIns& addins);

}  // namespace kivo2d
