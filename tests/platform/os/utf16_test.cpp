#include "platform/os/utf16.h"

#include <gtest/gtest.h>

namespace fb::os {
namespace {

TEST(Utf16Test, LengthCountsUtf16Units) {
  struct Case {
    const char* text;
    std::size_t units;
  };
  const Case cases[] = {
      {"", 0},
      {"abc", 3},
      {"主问题", 3},
      {"为什么?", 4},
      {"程序正在运行中，请稍后。。。.xml", 18},
      {"\U0001F600", 2},
      {"a\U00020000b", 4},
      {"é", 1},
  };
  for (const Case& c : cases) EXPECT_EQ(utf16_length(c.text), c.units) << c.text;
}

TEST(Utf16Test, ConvertsBothWays) {
  const char* texts[] = {"", "abc", "主问题", "a\U0001F600b", "\U0010FFFF", "\x7F\xC2\x80"};
  for (const char* text : texts) {
    const std::u16string units = utf8_to_utf16(text);
    EXPECT_EQ(units.size(), utf16_length(text)) << text;
    EXPECT_EQ(utf16_to_utf8(units), text) << text;
  }
  EXPECT_EQ(utf8_to_utf16("a\U0001F600"), (std::u16string{u'a', 0xD83D, 0xDE00}));
}

TEST(Utf16Test, MalformedInputBecomesReplacementCharacters) {
  struct Case {
    std::string utf8;
    std::u16string utf16;
  };
  const Case cases[] = {
      {"a\xFF"
       "b",
       u"a\uFFFDb"},
      {"\xC0\xAF", u"\uFFFD\uFFFD"},    // overlong: invalid lead, then a lone continuation
      {"\xE0\x80\xAF", u"\uFFFD"},      // overlong three-byte form
      {"\xED\xA0\x80", u"\uFFFD"},      // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD"},  // above U+10FFFF
      {"\xE4\xB8", u"\uFFFD"},          // cut short at the end
      {"\xE4\xB8"
       "a",
       u"\uFFFDa"},  // cut short before an ASCII byte
  };
  for (const Case& c : cases) EXPECT_EQ(utf8_to_utf16(c.utf8), c.utf16);
  EXPECT_EQ(utf16_to_utf8(u"x\xD83Dy"), "x\uFFFDy");  // lone high surrogate
  EXPECT_EQ(utf16_to_utf8(u"\xDE00"), "\uFFFD");      // lone low surrogate
}

TEST(Utf16Test, DetectsPositionsInsideASurrogatePair) {
  const std::string text = "a\U0001F600b";  // units: a, D83D, DE00, b
  for (std::size_t position = 0; position <= 5; ++position) {
    EXPECT_EQ(splits_surrogate_pair(text, position), position == 2) << position;
  }
  EXPECT_FALSE(splits_surrogate_pair(std::u16string_view(u"\xD83D"), 1));
}

TEST(Utf16Test, SubstringsCountUtf16Units) {
  struct Case {
    const char* text;
    std::size_t start;
    std::size_t count;
    const char* expected;
  };
  const Case cases[] = {
      {"为什么?", 0, 2, "为什"},
      {"为什么?", 2, 99, "么?"},
      {"为什么?", 4, 1, ""},
      {"为什么?", 9, 1, ""},
      {"a\U0001F600b", 1, 2, "\U0001F600"},
      {"a\U0001F600b", 0, 2, "a\uFFFD"},  // splits the pair
      {"a\U0001F600b", 2, 2, "\uFFFDb"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(utf16_substr(c.text, c.start, c.count), c.expected) << c.text << " " << c.start;
  }
  EXPECT_EQ(utf16_substr("abc", 1), "bc");
}

}  // namespace
}  // namespace fb::os
