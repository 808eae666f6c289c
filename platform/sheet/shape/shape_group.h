#pragma once

#include <memory>
#include <vector>

namespace fb::sheet {

class Shape;

// What a group shape holds: detached copies of its members, placed relative to the group's
// top-left corner as it was when the group was made (its frame). A group resized later scales
// its members with it.
struct GroupItems {
  std::vector<std::shared_ptr<const Shape>> shapes;
  double frame_width = 0;
  double frame_height = 0;
};

}  // namespace fb::sheet
