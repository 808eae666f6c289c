#include "platform/os/utf16.h"

namespace fb::os {

void append_utf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

char32_t decode_utf8(std::string_view s, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) {
    ++i;
    return lead;
  }
  std::size_t length = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    cp = lead & 0x1F;
    minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    cp = lead & 0x0F;
    minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    cp = lead & 0x07;
    minimum = 0x10000;
  } else {
    ++i;
    return kReplacementCharacter;
  }
  std::size_t k = 1;
  for (; k < length; ++k) {
    if (i + k >= s.size() || (byte(i + k) & 0xC0) != 0x80) break;
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  if (k < length) {
    i += k;
    return kReplacementCharacter;
  }
  i += length;
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    return kReplacementCharacter;
  }
  return cp;
}

std::u16string utf8_to_utf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const char32_t cp = decode_utf8(utf8, i);
    if (cp >= 0x10000) {
      const char32_t v = cp - 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

std::string utf16_to_utf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size() * 3);
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    const char16_t unit = utf16[i];
    if (is_high_surrogate(unit) && i + 1 < utf16.size() && is_low_surrogate(utf16[i + 1])) {
      const char32_t cp = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                          (static_cast<char32_t>(utf16[i + 1]) - 0xDC00);
      append_utf8(out, cp);
      ++i;
    } else if (is_surrogate(unit)) {
      append_utf8(out, kReplacementCharacter);
    } else {
      append_utf8(out, unit);
    }
  }
  return out;
}

std::size_t utf16_length(std::string_view utf8) {
  std::size_t units = 0;
  std::size_t i = 0;
  while (i < utf8.size()) units += decode_utf8(utf8, i) >= 0x10000 ? 2 : 1;
  return units;
}

bool splits_surrogate_pair(std::u16string_view utf16, std::size_t position) {
  return position > 0 && position < utf16.size() && is_high_surrogate(utf16[position - 1]) &&
         is_low_surrogate(utf16[position]);
}

bool splits_surrogate_pair(std::string_view utf8, std::size_t position) {
  return splits_surrogate_pair(std::u16string_view(utf8_to_utf16(utf8)), position);
}

std::string utf16_substr(std::string_view utf8, std::size_t start, std::size_t count) {
  const std::u16string units = utf8_to_utf16(utf8);
  if (start >= units.size()) return std::string();
  return utf16_to_utf8(std::u16string_view(units).substr(start, count));
}

}  // namespace fb::os
