#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fb::os {

// The component counts characters as its runtime did: in UTF-16 code units (a character outside
// the Basic Multilingual Plane counts 2). Our strings are UTF-8; these helpers convert and count.
// Malformed UTF-8 (invalid bytes, overlong forms, encoded surrogates, code points above
// U+10FFFF) becomes U+FFFD, one per offending byte sequence; a lone surrogate in UTF-16 becomes
// U+FFFD in UTF-8.

inline constexpr char16_t kReplacementCharacter = 0xFFFD;

constexpr bool is_high_surrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool is_low_surrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}
constexpr bool is_surrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDFFF;
}

// Decodes the code point at byte `i` of `utf8`, moving `i` past it; malformed input gives U+FFFD
// and moves past the longest invalid prefix (at least one byte).
char32_t decode_utf8(std::string_view utf8, std::size_t& i);

std::u16string utf8_to_utf16(std::string_view utf8);
// Appends one code point as UTF-8 (a surrogate or a value past U+10FFFF is the caller's fault:
// it is encoded as given).
void append_utf8(std::string& out, char32_t cp);
std::string utf16_to_utf8(std::u16string_view utf16);

// Length in UTF-16 code units (VB's Len).
std::size_t utf16_length(std::string_view utf8);

// True when `position` (a UTF-16 unit index) falls between the two halves of a surrogate pair,
// so cutting the text there would split one character.
bool splits_surrogate_pair(std::u16string_view utf16, std::size_t position);
bool splits_surrogate_pair(std::string_view utf8, std::size_t position);

// The units [start, start + count) of the text (clipped to its end; start past the end gives
// ""), returned as UTF-8. 0-based; VB's Mid(s, n, k) is utf16_substr(s, n - 1, k), Left(s, k)
// is utf16_substr(s, 0, k). A surrogate pair split by either end leaves a lone half, which the
// conversion turns into U+FFFD: callers that must not split a character test
// splits_surrogate_pair first.
std::string utf16_substr(std::string_view utf8, std::size_t start,
                         std::size_t count = std::u16string_view::npos);

}  // namespace fb::os
