#include "platform/render/svg_sink.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>
#include <set>
#include <string>

#include "scene.h"

namespace fb::render {
namespace {

TEST(SvgSinkTest, DocumentIsWellFormedAndKeepsTextsAsText) {
  const std::string svg = render_svg(test::sample_scene());
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(svg.c_str())) << svg.substr(0, 400);
  const pugi::xml_node root = doc.child("svg");
  EXPECT_STREQ(root.attribute("width").value(), "200pt");
  EXPECT_STREQ(root.attribute("viewBox").value(), "0 0 200 120");

  std::multiset<std::string> texts;
  for (const pugi::xpath_node& node : doc.select_nodes("//*[local-name()='text']")) {
    texts.insert(node.node().child_value());
  }
  // Multi-line text is one element per line; stacked text one per character.
  EXPECT_EQ(texts, (std::multiset<std::string>{"问题:", "鱼骨图", "原", "因", "Pareto 90°"}));

  // Fills and clips are referenced definitions that exist.
  for (const char* kind : {"pattern", "linearGradient", "clipPath"}) {
    EXPECT_TRUE(doc.select_node((std::string("//*[local-name()='") + kind + "']").c_str())) << kind;
  }
  EXPECT_NE(svg.find("data:image/png;base64,"), std::string::npos);
}

TEST(SvgSinkTest, SpecialCharactersAreEscaped) {
  DisplayList list(50, 20);
  list.text(TextCmd{.text = "A<B & \"C\"", .box = {0, 0, 50, 20}});
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(render_svg(list).c_str()));
  EXPECT_STREQ(doc.select_node("//*[local-name()='text']").node().child_value(), "A<B & \"C\"");
}

}  // namespace
}  // namespace fb::render
