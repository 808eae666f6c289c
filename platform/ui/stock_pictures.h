#pragma once

#include "platform/ui/image_list.h"
#include "platform/ui/picture.h"

namespace fb::ui {

// The pictures of the component's image list ImageList1, drawn in code:
// 1 a yellow warning triangle with a black exclamation mark (the main problem), 22 × 22,
// 2 a green disc with a white question mark (every cause), 22 × 22,
// 3 the product logo, placed in the chart and the report: a navy fishbone running into a red
//   problem box and the mark "KW2", on black. The steps that place it make black transparent
//   and size it 76.5 by 24.25 points, so it is drawn in those proportions (306 × 97, four
//   pixels a point) and without anti-aliasing, whose dark fringes would show once black is
//   gone. The list draws it fitted into its 22 × 22 images.
inline constexpr int kStockPictureSize = 22;
inline constexpr int kLogoWidth = 306;
inline constexpr int kLogoHeight = 97;

Picture warning_triangle_picture();
Picture question_mark_picture();
Picture product_logo_picture();

// Adds the three pictures to `images` in the order above (so they are pictures 1, 2, 3 of an
// empty list); the logo keeps its own size as the picture of entry 3.
void add_stock_pictures(ImageList& images);

}  // namespace fb::ui
