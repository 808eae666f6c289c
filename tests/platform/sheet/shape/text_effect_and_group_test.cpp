// WordArt shapes, groups flattened into one picture, and hyperlinks carried by pictures.
#include <gtest/gtest.h>

#include <string>

#include "platform/os/environment.h"
#include "platform/os/host_error.h"
#include "platform/sheet/application.h"
#include "platform/sheet/chart/chart.h"
#include "platform/sheet/range.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_collection.h"
#include "platform/sheet/shape/shape_range.h"

namespace fb::sheet {
namespace {

constexpr const char* kMetafile = "图片(增强型图元文件)";

class ProfileSheet : public ::testing::TestWithParam<const char*> {
 protected:
  ProfileSheet() : app(env, GetParam()) {}
  bool legacy() const { return std::string(GetParam()) == "11.0"; }
  // A picture holding a flattened chart, named as given.
  Shape& AddPicture(const std::string& name, double left, double top, double width, double height) {
    book.charts().add().location(ChartLocation::AsObject, sheet.name());
    sheet.chart_objects().item(sheet.chart_objects().count()).cut();
    sheet.paste_special(kMetafile);
    Shape& picture = sheet.shapes().item(sheet.shapes().count());
    picture.set_name(name);
    picture.place(left, top, width, height);
    return picture;
  }
  os::MapEnvironment env;
  Application app;
  Workbook& book = app.workbooks().add();
  Worksheet& sheet = book.worksheets().item(1);
};

TEST_P(ProfileSheet, TextEffectIsNamedByTheProfileAndSizedByItsText) {
  AddPicture("P", 0, 0, 10, 10);  // a chart and a picture made before: two numbers used
  Shape& art =
      sheet.shapes().add_text_effect({0, "鱼 A", "Arial Unicode MS", 20, false, true}, 30, 40);
  EXPECT_EQ(art.name(), legacy() ? "WordArt 3" : "矩形 3");
  EXPECT_EQ(art.kind(), ShapeKind::WordArt);
  EXPECT_EQ(art.text_effect.text, "鱼 A");
  EXPECT_TRUE(art.text_effect.italic);
  EXPECT_EQ(art.left(), 30);
  EXPECT_EQ(art.top(), 40);
  // One em for the ideograph, the space and the capital at their sans-serif widths.
  EXPECT_DOUBLE_EQ(art.width(), 20 * (1 + 0.278 + 0.667));
  EXPECT_DOUBLE_EQ(art.height(), 24);
  // Bold takes more room than regular.
  const double regular = art.width();
  EXPECT_GT(sheet.shapes().add_text_effect({0, "鱼 A", "Arial", 20, true, false}, 0, 0).width(),
            regular);

  for (const TextEffect& bad : {TextEffect{30, "x", "Arial", 14}, TextEffect{-1, "x", "Arial", 14},
                                TextEffect{0, "x", "Arial", 0}, TextEffect{0, "x", "", 14}}) {
    EXPECT_THROW(sheet.shapes().add_text_effect(bad, 0, 0), HostError) << bad.preset;
  }
}

TEST_P(ProfileSheet, GroupTakesItsMembersAndPastesAsOnePictureOfThem) {
  AddPicture("A", 100, 50, 200, 100);
  AddPicture("B", 150, 120, 80, 60);  // reaches below A
  AddPicture("C", 20, 70, 30, 30);    // starts left of A
  Shape& group = sheet.shapes().range({"A", "B", "C"}).group();
  EXPECT_EQ(group.kind(), ShapeKind::Group);
  EXPECT_EQ(group.name(), "组合 7");
  EXPECT_EQ(sheet.shapes().count(), 1);
  EXPECT_EQ(sheet.shapes().find("A"), nullptr);
  EXPECT_EQ(group.left(), 20);
  EXPECT_EQ(group.top(), 50);
  EXPECT_EQ(group.width(), 280);
  EXPECT_EQ(group.height(), 130);

  group.select();
  app.selection_shape_range().cut();
  sheet.range("B2").select();
  sheet.paste_special(kMetafile);
  ASSERT_EQ(sheet.shapes().count(), 1);
  Shape& picture = sheet.shapes().item(1);
  EXPECT_EQ(picture.name(), legacy() ? "图片 8" : "Picture 4");
  EXPECT_EQ(picture.width(), 280);
  EXPECT_EQ(picture.height(), 130);
  ASSERT_NE(picture.drawing, nullptr);
  ASSERT_EQ(picture.drawing->items.size(), 1U);
  const DrawingItem& whole = picture.drawing->items[0];
  ASSERT_NE(whole.drawing, nullptr);
  ASSERT_EQ(whole.drawing->items.size(), 3U);
  struct Placed {
    double left, top, width, height;
  };
  const Placed expected[] = {{80, 0, 200, 100}, {130, 70, 80, 60}, {0, 20, 30, 30}};
  for (std::size_t i = 0; i < 3; ++i) {
    const DrawingItem& member = whole.drawing->items[i];
    EXPECT_EQ(member.left, expected[i].left) << i;
    EXPECT_EQ(member.top, expected[i].top) << i;
    EXPECT_EQ(member.width, expected[i].width) << i;
    EXPECT_EQ(member.height, expected[i].height) << i;
    EXPECT_NE(member.drawing, nullptr) << i;  // each member was itself a chart picture
  }
}

INSTANTIATE_TEST_SUITE_P(Profiles, ProfileSheet, ::testing::Values("11.0", "12.0"));

TEST(Group, NeedsTwoDistinctShapesOfTheCollection) {
  os::MapEnvironment env;
  Application app(env);
  Worksheet& sheet = app.workbooks().add().worksheets().item(1);
  sheet.shapes().add_text_box(0, 0, 10, 10).set_name("T");
  sheet.shapes().add_text_box(5, 5, 10, 10).set_name("U");
  for (const std::vector<std::string>& names :
       {std::vector<std::string>{"T"}, std::vector<std::string>{"T", "t"},
        std::vector<std::string>{"T", "V"}}) {
    EXPECT_THROW(sheet.shapes().group(names), HostError) << names.back();
    EXPECT_EQ(sheet.shapes().count(), 2) << "a refused group leaves its shapes";
  }
}

TEST(ShapeHyperlink, TravelsWithThePictureAndStaysOffTheCellLinks) {
  os::MapEnvironment env;
  Application app(env);
  Workbook& book = app.workbooks().add();
  Worksheet& sheet = book.worksheets().item(1);
  Worksheet& other = book.worksheets().add();
  Shape& box = sheet.shapes().add_text_box(0, 0, 10, 10);
  box.set_name("Logo");

  EXPECT_THROW(other.hyperlinks().add(box, "https://example.org/"), HostError);
  EXPECT_THROW(sheet.hyperlinks().add(box, ""), HostError);
  EXPECT_FALSE(box.hyperlink.has_value());

  sheet.hyperlinks().add(box, "https://example.org/", "", "tip");
  EXPECT_EQ(sheet.hyperlinks().count(), 0);
  box.cut();
  sheet.select();
  sheet.range("C3").select();
  sheet.paste();
  const Shape& pasted = sheet.shapes().item("Logo");
  ASSERT_TRUE(pasted.hyperlink.has_value());
  EXPECT_EQ(pasted.hyperlink->address, "https://example.org/");
  EXPECT_EQ(pasted.hyperlink->screen_tip, "tip");
  EXPECT_GT(pasted.left(), 0);
}

}  // namespace
}  // namespace fb::sheet
