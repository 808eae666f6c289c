#pragma once

#include "platform/ui/image_list.h"
#include "platform/ui/picture.h"

namespace fb::ui {

// The pictures of the component's image list ImageList1, 22 × 22 pixels each, drawn in code:
// 1 a yellow warning triangle with a black exclamation mark (the main problem),
// 2 a green disc with a white question mark (every cause),
// 3 the product logo: a white fishbone on a blue rounded square (placed in the chart and the
//   report).
inline constexpr int kStockPictureSize = 22;

Picture warning_triangle_picture();
Picture question_mark_picture();
Picture product_logo_picture();

// Adds the three pictures to `images` in the order above (so they are pictures 1, 2, 3 of an
// empty list).
void add_stock_pictures(ImageList& images);

}  // namespace fb::ui
