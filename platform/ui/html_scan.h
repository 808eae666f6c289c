#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fb::ui {

// What the help reader needs of a help file's HTML, found by scanning the text once from left to
// right. A help file is a file we do not control: a pattern matcher that recurses once per
// character overflowed the stack on a title of 300,000 characters, so nothing here recurses and
// the work grows with the text's length only. Names compare without regard to ASCII letter case.

// A tag of an HTML text: its name in lower case, whether it is a closing tag ("</ul>"), and the
// text between the name and the ">" (its attributes, as written).
struct HtmlTag {
  std::string name;
  bool closing = false;
  std::string_view attributes;
};

// The tags named one of `names`, in order: "<", an optional "/", the name followed by anything but
// a letter, digit or "_", then everything up to the next ">". A "<" without a ">" after it is
// text.
std::vector<HtmlTag> html_tags(std::string_view text,
                               std::initializer_list<std::string_view> names);

// The value of the attribute `name` in a tag's attribute text: NAME = "v", 'v' or v (up to a blank
// or ">"); "" when the tag has no such attribute.
std::string html_attribute(std::string_view attributes, std::string_view name);

// The text of the first <title>…</title> that holds no "<"; nothing when there is none.
std::optional<std::string_view> html_title(std::string_view text);

// The text with the value of its first charset declaration ("charset=gb2312",
// "CHARSET = 'big5'") made "utf-8", the rest spelled as it was.
std::string with_utf8_charset(std::string text);

}  // namespace fb::ui
