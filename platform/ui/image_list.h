#pragma once

#include <vector>

#include "platform/ui/picture.h"

namespace fb::ui {

// The image-list control: pictures of one size, addressed by 1-based index (ListImages(i)).
class ImageList {
 public:
  explicit ImageList(int image_width = 22, int image_height = 22)
      : width_(image_width), height_(image_height) {}

  int image_width() const { return width_; }
  int image_height() const { return height_; }
  int count() const { return static_cast<int>(pictures_.size()); }

  // Appends a picture and returns its index (1-based). Throws fb::HostError 380 ("Invalid
  // property value") when its size differs from the list's.
  int add(Picture picture);
  // Picture at a 1-based index; throws fb::HostError 35600 ("Index out of bounds").
  const Picture& picture(int index) const;
  void clear() { pictures_.clear(); }

 private:
  int width_;
  int height_;
  std::vector<Picture> pictures_;
};

}  // namespace fb::ui
