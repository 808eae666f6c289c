#include "src/editor/xml_safe_text.h"

#include <cstdint>
#include <cstdio>

namespace kivo2d {
namespace {

enum class Kind { kGood, kControl, kNonCharacter, kSurrogate, kMalformed };

struct Step {
  Kind kind = Kind::kMalformed;
  std::size_t length = 1;  // bytes consumed
  std::uint32_t code = 0;  // the code point (for kGood, kControl, kNonCharacter, kSurrogate)
};

bool IsContinuation(unsigned char byte) {
  return byte >= 0x80 && byte <= 0xBF;
}

// Decodes one character at `pos` (pos < text.size()).
Step Decode(std::string_view text, std::size_t pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
  const std::size_t available = text.size() - pos;
  const unsigned char lead = byte(0);

  if (lead < 0x80) {
    if (lead < 0x20 && lead != 0x09 && lead != 0x0A && lead != 0x0D) {
      return {Kind::kControl, 1, lead};
    }
    return {Kind::kGood, 1, lead};
  }

  std::size_t need = 0;      // continuation bytes after the lead
  unsigned char low = 0x80;  // allowed range of the second byte
  unsigned char high = 0xBF;
  std::uint32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    need = 1;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    need = 2;
    code = lead & 0x0Fu;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) {
      // An encoded surrogate (ED A0..BF 80..BF): one replacement for the whole sequence.
      if (available >= 3 && byte(1) >= 0xA0 && byte(1) <= 0xBF && IsContinuation(byte(2))) {
        const std::uint32_t surrogate = 0xD000u | ((byte(1) & 0x3Fu) << 6) | (byte(2) & 0x3Fu);
        return {Kind::kSurrogate, 3, surrogate};
      }
      high = 0x9F;
    }
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    need = 3;
    code = lead & 0x07u;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return {Kind::kMalformed, 1};
  }

  std::size_t length = 1;
  for (std::size_t i = 1; i <= need; ++i) {
    if (i >= available) return {Kind::kMalformed, length};
    const unsigned char next = byte(i);
    const bool fits = i == 1 ? (next >= low && next <= high) : IsContinuation(next);
    if (!fits) return {Kind::kMalformed, length};
    code = (code << 6) | (next & 0x3Fu);
    ++length;
  }
  if (code == 0xFFFE || code == 0xFFFF) return {Kind::kNonCharacter, length, code};
  return {Kind::kGood, length, code};
}

std::string Hex(std::uint32_t code, int digits) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*X", digits, static_cast<unsigned>(code));
  return buffer;
}

}  // namespace

std::string ToXmlSafeText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const Step step = Decode(text, pos);
    if (step.kind == Kind::kGood) {
      out.append(text.substr(pos, step.length));
    } else {
      out.append(kReplacementUtf8);
    }
    pos += step.length;
  }
  return out;
}

std::optional<XmlTextFault> FindXmlTextFault(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const Step step = Decode(text, pos);
    switch (step.kind) {
      case Kind::kGood:
        break;
      case Kind::kControl:
        return XmlTextFault{pos, "the control character U+" + Hex(step.code, 4)};
      case Kind::kNonCharacter:
        return XmlTextFault{pos, "the non-character U+" + Hex(step.code, 4)};
      case Kind::kSurrogate:
        return XmlTextFault{pos, "the unpaired surrogate U+" + Hex(step.code, 4)};
      case Kind::kMalformed:
        return XmlTextFault{pos, "the byte 0x" + Hex(static_cast<unsigned char>(text[pos]), 2) +
                                     " (not well-formed UTF-8)"};
    }
    pos += step.length;
  }
  return std::nullopt;
}

}  // namespace kivo2d
