#include "platform/ui/image_list.h"

#include <utility>

#include "platform/os/host_error.h"

namespace fb::ui {

int ImageList::add(Picture picture) {
  if (picture.width != width_ || picture.height != height_) {
    throw HostError(380, "Invalid property value");
  }
  pictures_.push_back(std::move(picture));
  return count();
}

const Picture& ImageList::picture(int index) const {
  if (index < 1 || index > count()) throw HostError(35600, "Index out of bounds");
  return pictures_[static_cast<std::size_t>(index - 1)];
}

}  // namespace fb::ui
