#pragma once

#include <memory>
#include <vector>

namespace fb::sheet {

class Shape;

// Shapes on the host-wide clipboard: detached copies, charts frozen as they showed, with their
// names, so that a paste in any workbook recreates them.
struct CopiedShapes {
  std::vector<std::shared_ptr<const Shape>> shapes;
};

}  // namespace fb::sheet
