#pragma once

#include <vector>

#include "platform/ui/picture.h"

namespace fb::ui {

// The image-list control: pictures addressed by 1-based index (ListImages(i)). The list has one
// image size, the size its controls (the tree view) draw every entry in. Each entry also keeps
// the picture it was made from: that is what its Picture property gives back and what a picture
// save writes, so an entry added at another size keeps its own proportions there.
class ImageList {
 public:
  explicit ImageList(int image_width = 22, int image_height = 22)
      : width_(image_width), height_(image_height) {}

  int image_width() const { return width_; }
  int image_height() const { return height_; }
  int count() const { return static_cast<int>(entries_.size()); }

  // Appends a picture of the list's size and returns its index (1-based). Throws fb::HostError
  // 380 ("Invalid property value") when its size differs from the list's.
  int add(Picture picture);
  // Appends a picture of any size: the list's image is the picture scaled to fit the list's
  // size with its proportions kept, centred on clear pixels. Throws fb::HostError 380 for an
  // empty picture.
  int add_fitted(Picture picture);
  // The picture an entry was made from, at its own size; throws fb::HostError 35600 ("Index
  // out of bounds").
  const Picture& picture(int index) const;
  // The entry at the list's size, as the list's controls draw it; same error as picture().
  const Picture& image(int index) const;
  void clear() { entries_.clear(); }

 private:
  struct Entry {
    Picture source;
    Picture image;
  };
  const Entry& entry(int index) const;

  int width_;
  int height_;
  std::vector<Entry> entries_;
};

}  // namespace fb::ui
