#include "platform/ui/controls.h"

#include <gtest/gtest.h>

#include "platform/os/host_error.h"
#include "platform/ui/image_list.h"

namespace fb::ui {
namespace {

TEST(ButtonTest, ClickRunsTheHandlerOnlyWhenEnabledAndVisible) {
  Button button("ButtonCm1", "添加节点");
  int clicks = 0;
  button.set_on_click([&] { ++clicks; });
  EXPECT_TRUE(button.click());
  button.set_enabled(false);
  EXPECT_FALSE(button.click());
  button.set_enabled(true);
  button.set_visible(false);
  EXPECT_FALSE(button.click());
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(button.caption(), "添加节点");
  EXPECT_FALSE(button.picture().has_value());
  button.set_picture(Picture(16, 16, Rgba{1, 2, 3, 255}));
  EXPECT_EQ(button.picture()->pixel(3, 3), (Rgba{1, 2, 3, 255}));
}

TEST(TextBoxTest, SelectionCountsUtf16Units) {
  TextBox text("Text1");
  text.set_text("原因\U0001F600abc");
  struct Case {
    int start;
    int length;
    int clipped_start;
    int clipped_length;
    const char* selected;
  };
  const Case cases[] = {
      {0, 2, 0, 2, "原因"}, {2, 2, 2, 2, "\U0001F600"}, {4, 10, 4, 3, "abc"},
      {-3, 1, 0, 1, "原"},  {99, 1, 7, 0, ""},          {1, 0, 1, 0, ""},
  };
  for (const Case& c : cases) {
    text.set_selection(c.start, c.length);
    EXPECT_EQ(text.sel_start(), c.clipped_start);
    EXPECT_EQ(text.sel_length(), c.clipped_length);
    EXPECT_EQ(text.selected_text(), c.selected) << c.start << "+" << c.length;
  }
}

TEST(TextBoxTest, ChangeHandlerRunsWhenTheTextChanges) {
  TextBox text("Text1");
  int changes = 0;
  text.set_on_text_change([&] { ++changes; });
  text.set_text("a");
  text.set_selection(0, 1);
  text.set_text("a");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(text.sel_length(), 0);  // setting the text drops the selection
  text.set_text("");
  EXPECT_EQ(changes, 2);
}

TEST(OptionGroupTest, OneMemberIsSelectedAtATime) {
  OptionGroup group("Option1");
  for (const char* caption : {" 仿宋", " 宋体", " 黑体"}) group.add(caption);
  EXPECT_EQ(group.selected(), -1);
  group.select(0);
  group.set_value(2, true);
  EXPECT_EQ(group.selected(), 2);
  EXPECT_FALSE(group.value(0));
  EXPECT_TRUE(group.value(2));
  group.set_value(0, false);  // clearing another member changes nothing
  EXPECT_EQ(group.selected(), 2);
  group.set_value(2, false);
  EXPECT_EQ(group.selected(), -1);
  EXPECT_EQ(group.caption(1), " 宋体");
  EXPECT_THROW(group.select(3), std::out_of_range);
}

TEST(CheckBoxLabelFrameTest, HoldTheirValues) {
  CheckBox check("Check1", " 主原因帕累托排列图");
  EXPECT_EQ(check.value(), CheckBox::kUnchecked);
  check.set_value(CheckBox::kChecked);
  EXPECT_EQ(check.value(), 1);
  Label label("Label3");
  label.set_caption("13");
  EXPECT_EQ(label.caption(), "13");
  Frame frame("Frame1");
  frame.set_visible(false);
  EXPECT_FALSE(frame.visible());
  int changes = 0;
  frame.set_on_change([&] { ++changes; });
  frame.set_visible(true);
  frame.set_visible(true);
  EXPECT_EQ(changes, 1);
}

TEST(ImageListTest, HoldsPicturesOfOneSizeByOneBasedIndex) {
  ImageList images;
  EXPECT_EQ(images.image_width(), 22);
  EXPECT_EQ(images.add(Picture(22, 22)), 1);
  EXPECT_EQ(images.add(Picture(22, 22, Rgba{9, 9, 9, 9})), 2);
  EXPECT_EQ(images.picture(2).pixel(0, 0), (Rgba{9, 9, 9, 9}));
  EXPECT_THROW(images.add(Picture(16, 16)), HostError);
  EXPECT_THROW(images.picture(3), HostError);
  EXPECT_THROW(images.picture(0), HostError);
}

TEST(ImageListTest, FittedEntryKeepsItsPictureAndIsDrawnAtTheListSize) {
  ImageList images(22, 22);
  // A wide picture: left half red, right half blue.
  Picture wide(88, 22, Rgba{0, 0, 255, 255});
  for (int y = 0; y < 22; ++y) {
    for (int x = 0; x < 44; ++x) wide.set_pixel(x, y, Rgba{255, 0, 0, 255});
  }
  EXPECT_EQ(images.add_fitted(wide), 1);
  EXPECT_EQ(images.picture(1), wide);
  const Picture& image = images.image(1);
  ASSERT_EQ(image.width, 22);
  ASSERT_EQ(image.height, 22);
  // Scaled by a quarter into a centred band of rows 8 to 13 (5.5 rounds to 6 rows), proportions
  // kept: red on the left, blue on the right, clear above and below.
  EXPECT_EQ(image.pixel(3, 10), (Rgba{255, 0, 0, 255}));
  EXPECT_EQ(image.pixel(18, 10), (Rgba{0, 0, 255, 255}));
  for (const int y : {0, 7, 14, 21}) EXPECT_EQ(image.pixel(11, y).a, 0) << y;
  for (const int y : {8, 13}) EXPECT_EQ(image.pixel(11, y).a, 255) << y;
  // An entry of the list's own size is drawn as it is.
  const Picture square(22, 22, Rgba{1, 2, 3, 255});
  EXPECT_EQ(images.add(square), 2);
  EXPECT_EQ(images.image(2), square);
  EXPECT_THROW(images.add_fitted(Picture()), HostError);
  EXPECT_THROW(images.image(3), HostError);
}

}  // namespace
}  // namespace fb::ui
