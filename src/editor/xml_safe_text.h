#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kivo2d {

// XML 1.0 carries only the characters of its production Char: tab, line feed, carriage return,
// U+0020 to U+D7FF, U+E000 to U+FFFD and U+10000 to U+10FFFF, all as well-formed UTF-8. A file
// holding anything else (another control character, U+FFFE, U+FFFF, a lone surrogate, bytes that
// are not UTF-8) cannot be read back by a conforming parser, so a tree written with it is lost.

// The replacement character U+FFFD in UTF-8.
inline constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// The text with every character XML cannot carry replaced by one U+FFFD: a control character or
// non-character, one per character; malformed UTF-8, one per maximal ill-formed subsequence (the
// Unicode "substitution of maximal subparts" practice); an encoded surrogate (ED A0..BF 80..BF,
// which is how a lone UTF-16 surrogate arrives in UTF-8), one per surrogate.
std::string ToXmlSafeText(std::string_view text);

// The first character XML cannot carry, described for a message, e.g. "the control character
// U+0007", "the byte 0xFF (not well-formed UTF-8)", "the unpaired surrogate U+D800"; with its byte
// offset. Empty when the text is safe.
struct XmlTextFault {
  std::size_t offset = 0;
  std::string description;
};
std::optional<XmlTextFault> FindXmlTextFault(std::string_view text);

}  // namespace kivo2d
