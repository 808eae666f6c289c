#include "platform/sheet/shape/text_effect.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace fb::sheet {
namespace {

// Advance widths in thousandths of an em of the printable ASCII characters (space to tilde) in
// the metric-compatible sans-serif faces.
constexpr std::array<std::uint16_t, 95> kAsciiAdvance = {
    278,  278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,  // ' ' to /
    556,  556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,  // 0 to ?
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,  // @ to O
    667,  778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,  // P to _
    333,  556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,  // ` to o
    556,  556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584,       // p to ~
};

constexpr double kLineHeightEms = 1.2;
constexpr double kBoldWidening = 1.05;

// Decodes one UTF-8 sequence at `at`, advancing it; a broken sequence counts as one byte.
char32_t next_code_point(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  int extra = 0;
  char32_t cp = lead;
  if (lead >= 0xF0) {
    extra = 3;
    cp = lead & 0x07U;
  } else if (lead >= 0xE0) {
    extra = 2;
    cp = lead & 0x0FU;
  } else if (lead >= 0xC0) {
    extra = 1;
    cp = lead & 0x1FU;
  }
  ++at;
  for (int i = 0; i < extra && at < text.size(); ++i, ++at) {
    cp = (cp << 6) | (static_cast<unsigned char>(text[at]) & 0x3FU);
  }
  return cp;
}

double advance_ems(char32_t cp) {
  if (cp >= 0x20 && cp <= 0x7E) return kAsciiAdvance[cp - 0x20] / 1000.0;
  if (cp < 0x20) return 0;
  // Latin letters with marks and other narrow scripts: an average letter.
  if (cp < 0x2E80) return 0.556;
  return 1.0;  // ideographs, kana, hangul and full-width forms
}

}  // namespace

ShapeSize text_effect_size(const TextEffect& effect) {
  double ems = 0;
  for (std::size_t at = 0; at < effect.text.size();)
    ems += advance_ems(next_code_point(effect.text, at));
  if (effect.bold) ems *= kBoldWidening;
  return {ems * effect.font_size, kLineHeightEms * effect.font_size};
}

}  // namespace fb::sheet
