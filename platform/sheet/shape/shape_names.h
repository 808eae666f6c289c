#pragma once

#include <string>
#include <string_view>

#include "platform/sheet/host_profile.h"

namespace fb::sheet {

enum class ShapeKind { Chart, Picture, TextBox, WordArt, Group };

// The default name of a new object: prefix of its kind in the profile followed by its number.
// The "11.0" host numbers every new object with the sheet's shape counter; the others do so too
// except for pictures, which count on their own ("Picture 1" after three charts).
// `shape_number` is the sheet's counter after this object; `picture_number` the count of
// pictures that got a default name on the sheet, this one included.
std::string default_shape_name(ShapeKind kind, HostProfile profile, int shape_number,
                               int picture_number);

}  // namespace fb::sheet
