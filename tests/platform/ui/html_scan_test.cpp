// The help pages' HTML as the help reader scans it: tags, attributes, the title and the charset,
// in the spellings help files use, and texts far longer than any page without a deep stack.
#include "platform/ui/html_scan.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace fb::ui {
namespace {

TEST(HtmlScan, TagsAreFoundByNameInAnyLetterCase) {
  const std::string text =
      "<UL><ulx><li><Object type=\"text/sitemap\"></OBJECT>\n<param\nname=a><ul";
  const std::vector<HtmlTag> tags = html_tags(text, {"ul", "object", "param"});
  ASSERT_EQ(tags.size(), 4u);
  EXPECT_EQ(tags[0].name, "ul");
  EXPECT_EQ(tags[0].attributes, "");
  EXPECT_EQ(tags[1].name, "object");
  EXPECT_EQ(tags[1].attributes, " type=\"text/sitemap\"");
  EXPECT_TRUE(tags[2].closing);
  EXPECT_EQ(tags[3].name, "param");
  EXPECT_EQ(tags[3].attributes, "\nname=a");
}

TEST(HtmlScan, AttributesAreReadQuotedOrNot) {
  struct Case {
    const char* attributes;
    const char* name;
    const char* value;
  };
  const Case cases[] = {
      {R"( name="Name" value="初始化")", "value", "初始化"},
      {R"( NAME='Local')", "name", "Local"},
      {" value = _1.htm other", "value", "_1.htm"},
      {R"( data-value="no" value="yes")", "value", "yes"},
      {R"( name="value" value="v")", "value", "v"},
      {R"( href="never closed)", "href", "\"never"},
      {" name", "name", ""},
      {" name= ", "name", ""},
      {"", "name", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.attributes);
    EXPECT_EQ(html_attribute(c.attributes, c.name), c.value);
  }
}

TEST(HtmlScan, TheTitleIsTheFirstWithoutMarkup) {
  EXPECT_EQ(html_title("<html><TITLE>初始化</title>"), "初始化");
  EXPECT_EQ(html_title("<title>a<b>c</title><title>d</title>"), "d");
  EXPECT_EQ(html_title("<title></title>"), "");
  EXPECT_EQ(html_title("<title>never closed"), std::nullopt);
  EXPECT_EQ(html_title("no title"), std::nullopt);
}

TEST(HtmlScan, TheFirstCharsetBecomesUtf8) {
  EXPECT_EQ(with_utf8_charset(R"(<meta content="text/html; charset=gb2312">)"),
            R"(<meta content="text/html; charset=utf-8">)");
  EXPECT_EQ(with_utf8_charset("<meta content='text/html; CHARSET = big5'>"),
            "<meta content='text/html; CHARSET = utf-8'>");
  EXPECT_EQ(with_utf8_charset("<meta charset=\"shift_jis\"><p>charset=x</p>"),
            "<meta charset=\"utf-8\"><p>charset=x</p>");
  EXPECT_EQ(with_utf8_charset("charset= ;charset=gbk"), "charset= ;charset=utf-8");
  EXPECT_EQ(with_utf8_charset("no declaration"), "no declaration");
}

// A pattern matcher that recursed once per character overflowed the stack on a few hundred
// thousand characters; these are millions.
TEST(HtmlScan, TextsFarLongerThanAPageAreScannedWhole) {
  const std::string long_text(4000000, 'x');
  EXPECT_EQ(html_title("<title>" + long_text + "</title>")->size(), long_text.size());
  EXPECT_EQ(html_attribute(" href=\"" + long_text + "\"", "href").size(), long_text.size());
  const std::string tag = "<a href=" + long_text + ">";
  ASSERT_EQ(html_tags(tag, {"a"}).size(), 1u);
  EXPECT_EQ(html_tags(std::string(4000000, '<'), {"a"}).size(), 0u);
  std::string many;
  for (int i = 0; i < 200000; ++i) many += "<title>";
  EXPECT_EQ(html_title(many + "x</title>"), "x");
  EXPECT_EQ(with_utf8_charset(long_text + "charset=gbk"), long_text + "charset=utf-8");
}

}  // namespace
}  // namespace fb::ui
