#include "platform/os/graphemes.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <memory>

namespace fb::os {

std::vector<std::size_t> grapheme_starts(std::u16string_view text) {
  std::vector<std::size_t> starts;
  if (text.empty()) return starts;
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::BreakIterator> clusters(
      icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
  if (U_FAILURE(status) || clusters == nullptr) {
    // Without the break rules, at least never split a surrogate pair.
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (i == 0 || !(text[i] >= 0xDC00 && text[i] <= 0xDFFF && text[i - 1] >= 0xD800 &&
                      text[i - 1] <= 0xDBFF)) {
        starts.push_back(i);
      }
    }
    return starts;
  }
  const icu::UnicodeString unicode(false, text.data(), static_cast<int32_t>(text.size()));
  clusters->setText(unicode);
  for (int32_t at = clusters->first(); at != icu::BreakIterator::DONE; at = clusters->next()) {
    if (static_cast<std::size_t>(at) < text.size()) starts.push_back(static_cast<std::size_t>(at));
  }
  return starts;
}

std::size_t next_grapheme_start(std::u16string_view text, std::size_t position) {
  const std::vector<std::size_t> starts = grapheme_starts(text);
  const auto next = std::lower_bound(starts.begin(), starts.end(), position);
  return next == starts.end() ? text.size() : *next;
}

}  // namespace fb::os
