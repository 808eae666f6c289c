#include "src/editor/xml_safe_text.h"

#include <gtest/gtest.h>

#include <string>

namespace kivo2d {
namespace {

const std::string kFffd(kReplacementUtf8);

TEST(XmlSafeText, KeepsTextXmlCanCarry) {
  const std::string text = "主问题 a&b<c>\"d' \t\n\r \x7F 😀 \xEF\xBF\xBD end";
  EXPECT_EQ(ToXmlSafeText(text), text);
  EXPECT_FALSE(FindXmlTextFault(text).has_value());
}

TEST(XmlSafeText, ReplacesEachControlCharacter) {
  EXPECT_EQ(ToXmlSafeText(std::string("a\x01\x02"
                                      "b\x1F",
                                      5)),
            "a" + kFffd + kFffd + "b" + kFffd);
  EXPECT_EQ(ToXmlSafeText(std::string("a\0b", 3)), "a" + kFffd + "b");
  EXPECT_EQ(ToXmlSafeText("\x0B\x0C"), kFffd + kFffd);
}

TEST(XmlSafeText, ReplacesNonCharactersFffeAndFfff) {
  EXPECT_EQ(ToXmlSafeText("x\xEF\xBF\xBEy\xEF\xBF\xBF"), "x" + kFffd + "y" + kFffd);
}

TEST(XmlSafeText, ReplacesAnEncodedLoneSurrogateByOneCharacter) {
  // U+D800 and U+DFFF as a UTF-16 to UTF-8 conversion without checks would give them.
  EXPECT_EQ(ToXmlSafeText("a\xED\xA0\x80"
                          "b\xED\xBF\xBF"),
            "a" + kFffd + "b" + kFffd);
}

TEST(XmlSafeText, ReplacesMalformedUtf8ByMaximalSubparts) {
  EXPECT_EQ(ToXmlSafeText("a\xFF"
                          "b"),
            "a" + kFffd + "b");  // never a UTF-8 byte
  EXPECT_EQ(ToXmlSafeText("a\x80\x80"
                          "b"),
            "a" + kFffd + kFffd + "b");                // lone continuations
  EXPECT_EQ(ToXmlSafeText("a\xE4\xB8"), "a" + kFffd);  // truncated "中"
  EXPECT_EQ(ToXmlSafeText("\xE4\xB8"
                          "x"),
            kFffd + "x");                                                       // interrupted
  EXPECT_EQ(ToXmlSafeText("\xC0\xAF"), kFffd + kFffd);                          // overlong "/"
  EXPECT_EQ(ToXmlSafeText("\xF4\x90\x80\x80"), kFffd + kFffd + kFffd + kFffd);  // > U+10FFFF
}

TEST(XmlSafeText, DescribesTheFirstFault) {
  auto fault = FindXmlTextFault("ab\x07");
  ASSERT_TRUE(fault.has_value());
  EXPECT_EQ(fault->offset, 2u);
  EXPECT_EQ(fault->description, "the control character U+0007");

  fault = FindXmlTextFault("\xED\xA0\x80");
  ASSERT_TRUE(fault.has_value());
  EXPECT_EQ(fault->description, "the unpaired surrogate U+D800");

  fault = FindXmlTextFault("中\xFF");
  ASSERT_TRUE(fault.has_value());
  EXPECT_EQ(fault->offset, 3u);
  EXPECT_EQ(fault->description, "the byte 0xFF (not well-formed UTF-8)");

  fault = FindXmlTextFault("\xEF\xBF\xBF");
  ASSERT_TRUE(fault.has_value());
  EXPECT_EQ(fault->description, "the non-character U+FFFF");
}

}  // namespace
}  // namespace kivo2d
