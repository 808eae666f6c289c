// ButtonCm's push-button behaviour: its looks and when it clicks.
#include "src/controls/button_cm.h"

#include <gtest/gtest.h>

namespace kivo2d {
namespace {

using Key = ButtonCm::Key;
constexpr int kLeft = ButtonCm::kLeftButton;
constexpr int kRight = 2;

struct Clicks {
  ButtonCm button{"ButtonCm1", "添加节点"};
  int clicks = 0;
  Clicks() {
    button.set_on_click([this] { ++clicks; });
  }
};

TEST(ButtonCm, ClickOnlyOnReleaseInsideAfterAPressInside) {
  struct Case {
    const char* name;
    void (*gesture)(ButtonCm&);
    int clicks;
  };
  const Case cases[] = {
      {"press and release inside",
       [](ButtonCm& b) {
         b.MouseEnter();
         b.MouseDown(kLeft);
         b.MouseUp(kLeft, true);
       },
       1},
      {"leave while pressed, release outside",
       [](ButtonCm& b) {
         b.MouseDown(kLeft);
         b.MouseMove(false);
         b.MouseUp(kLeft, false);
       },
       0},
      {"leave and come back while pressed",
       [](ButtonCm& b) {
         b.MouseDown(kLeft);
         b.MouseMove(false);
         b.MouseMove(true);
         b.MouseUp(kLeft, true);
       },
       1},
      {"release without a press (dragged in from outside)",
       [](ButtonCm& b) {
         b.MouseEnter();
         b.MouseUp(kLeft, true);
       },
       0},
      {"right button",
       [](ButtonCm& b) {
         b.MouseDown(kRight);
         b.MouseUp(kRight, true);
       },
       0},
      {"press lost to another window",
       [](ButtonCm& b) {
         b.MouseDown(kLeft);
         b.CancelPress();
         b.MouseUp(kLeft, true);
       },
       0},
      {"disabled",
       [](ButtonCm& b) {
         b.set_enabled(false);
         b.MouseDown(kLeft);
         b.MouseUp(kLeft, true);
       },
       0},
      {"disabled between press and release",
       [](ButtonCm& b) {
         b.MouseDown(kLeft);
         b.set_enabled(false);
         b.MouseUp(kLeft, true);
       },
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Clicks t;
    c.gesture(t.button);
    EXPECT_EQ(t.clicks, c.clicks);
  }
}

TEST(ButtonCm, KeyboardSpaceClicksOnReleaseEnterWhenFocusedOrDefault) {
  Clicks t;
  t.button.KeyDown(Key::kSpace);
  EXPECT_EQ(t.button.look(), fb::ui::ButtonLook::kPressed);
  EXPECT_EQ(t.clicks, 0);
  EXPECT_TRUE(t.button.KeyUp(Key::kSpace));
  EXPECT_EQ(t.clicks, 1);

  EXPECT_FALSE(t.button.KeyDown(Key::kEnter));
  t.button.set_default(true);
  EXPECT_TRUE(t.button.KeyDown(Key::kEnter));
  t.button.set_default(false);
  t.button.set_focus(true);
  EXPECT_TRUE(t.button.KeyDown(Key::kEnter));
  EXPECT_EQ(t.clicks, 3);
  t.button.set_focus(false);

  t.button.KeyDown(Key::kSpace);  // Escape takes a half-made key click back
  t.button.KeyDown(Key::kEscape);
  EXPECT_FALSE(t.button.KeyUp(Key::kSpace));
  EXPECT_EQ(t.clicks, 3);
}

TEST(ButtonCm, LooksFollowThePointerAndPicturesFallBack) {
  ButtonCm button("About");
  const fb::ui::Picture normal(2, 2, {1, 1, 1, 255});
  const fb::ui::Picture hover(2, 2, {2, 2, 2, 255});
  EXPECT_EQ(button.current_picture(), nullptr);
  button.set_picture(normal);
  button.set_tooltip("关于本程序");
  EXPECT_EQ(button.tooltip(), "关于本程序");

  EXPECT_EQ(button.look(), fb::ui::ButtonLook::kNormal);
  button.MouseEnter();
  EXPECT_EQ(button.look(), fb::ui::ButtonLook::kHover);
  EXPECT_EQ(*button.current_picture(), normal);  // no hover picture: the normal one
  button.set_hover_picture(hover);
  EXPECT_EQ(*button.current_picture(), hover);
  button.MouseDown(kLeft);
  EXPECT_EQ(button.look(), fb::ui::ButtonLook::kPressed);
  EXPECT_EQ(*button.current_picture(), hover);  // no pressed picture: the hover one
  EXPECT_TRUE(button.has_focus());
  button.MouseMove(false);
  EXPECT_EQ(button.look(), fb::ui::ButtonLook::kNormal);
  button.MouseUp(kLeft, false);
  button.MouseLeave();
  button.set_enabled(false);
  EXPECT_EQ(button.look(), fb::ui::ButtonLook::kDisabled);
  EXPECT_EQ(*button.current_picture(), normal);
}

}  // namespace
}  // namespace kivo2d
