#include "src/component/logo_file.h"

#include "platform/os/win_path.h"
#include "platform/sheet/shape/bitmap_file.h"
#include "platform/ui/image_list.h"
#include "platform/ui/stock_pictures.h"

namespace kivo2d {

namespace {
// The logo's place in ImageList1, after the main problem's and a cause's pictures.
constexpr int kLogoIndex = 3;
}  // namespace

void SaveLogoPicture(const std::string& windows_path) {
  fb::ui::ImageList images(fb::ui::kStockPictureSize, fb::ui::kStockPictureSize);
  fb::ui::add_stock_pictures(images);
  fb::sheet::save_bitmap_file(images.picture(kLogoIndex), fb::os::native_path(windows_path));
}

}  // namespace kivo2d
