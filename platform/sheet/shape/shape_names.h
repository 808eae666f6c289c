#pragma once

#include <string>
#include <string_view>

namespace fb::sheet {

enum class ShapeKind { Chart, Picture, TextBox, WordArt, Group };

// How the host names new objects: the older profile ("11.0") numbers every new object with the
// sheet's shape counter; the newer one ("12.0", and any other version text) does so too except
// for pictures, which count on their own ("Picture 1" after three charts).
enum class VersionProfile { Legacy, Current };

VersionProfile profile_of(std::string_view version);

// The default name of a new object: prefix of its kind in the profile followed by its number.
// `shape_number` is the sheet's counter after this object; `picture_number` the count of
// pictures that got a default name on the sheet, this one included.
std::string default_shape_name(ShapeKind kind, VersionProfile profile, int shape_number,
                               int picture_number);

}  // namespace fb::sheet
