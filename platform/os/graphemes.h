#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace fb::os {

// Where the user-perceived characters (extended grapheme clusters) of a UTF-16 text begin, as
// unit indices in ascending order: 0 first (for a non-empty text), the text's length not
// included. A letter with its combining marks, a surrogate pair, an emoji sequence joined by
// U+200D or with its modifiers, and a flag's two regional indicators are one cluster each, so
// cutting a text only at these indices never breaks a character as the reader sees it.
std::vector<std::size_t> grapheme_starts(std::u16string_view text);

// The first cluster start at or after `position`, or the text's length when none is left.
std::size_t next_grapheme_start(std::u16string_view text, std::size_t position);

}  // namespace fb::os
