#include "platform/os/graphemes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fb::os {
namespace {

TEST(GraphemesTest, ClustersAreWhatAReaderCountsAsOneCharacter) {
  struct Case {
    const char* what;
    std::u16string text;
    std::vector<std::size_t> starts;
  };
  const Case cases[] = {
      {"plain", u"ab", {0, 1}},
      {"CJK", u"问题", {0, 1}},
      {"a letter with two combining marks", u"e\u0301\u0323x", {0, 3}},
      {"a surrogate pair", u"\U0001F600x", {0, 2}},
      {"a family joined by U+200D", u"\U0001F468\u200D\U0001F469\u200D\U0001F467!", {0, 8}},
      {"a thumb with a skin tone", u"\U0001F44D\U0001F3FDa", {0, 4}},
      {"a flag's two regional indicators", u"\U0001F1E8\U0001F1F3\U0001F1EF\U0001F1F5", {0, 4}},
      {"Hangul jamo", u"\u1100\u1161\u11A8k", {0, 3}},
      {"CR LF", u"a\r\nb", {0, 1, 3}},
      {"empty", u"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(grapheme_starts(c.text), c.starts) << c.what;
}

TEST(GraphemesTest, NextStartSkipsToTheEndOfACluster) {
  const std::u16string text = u"ab\U0001F468\u200D\U0001F469c";  // a b [man ZWJ woman] c
  EXPECT_EQ(next_grapheme_start(text, 1), 1u);
  EXPECT_EQ(next_grapheme_start(text, 3), 7u);
  EXPECT_EQ(next_grapheme_start(text, 7), 7u);
  EXPECT_EQ(next_grapheme_start(text, 8), 8u);
  EXPECT_EQ(next_grapheme_start(text, 20), 8u);
}

}  // namespace
}  // namespace fb::os
