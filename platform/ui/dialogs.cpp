#include "platform/ui/dialogs.h"

#include <vector>

namespace fb::ui {

namespace {
std::vector<int> answers_of(int buttons) {
  switch (buttons) {
    case vb::vbOKOnly:
      return {vb::vbOK};
    case vb::vbOKCancel:
      return {vb::vbOK, vb::vbCancel};
    case vb::vbAbortRetryIgnore:
      return {vb::vbAbort, vb::vbRetry, vb::vbIgnore};
    case vb::vbYesNoCancel:
      return {vb::vbYes, vb::vbNo, vb::vbCancel};
    case vb::vbYesNo:
      return {vb::vbYes, vb::vbNo};
    case vb::vbRetryCancel:
      return {vb::vbRetry, vb::vbCancel};
    default:
      return {vb::vbOK};
  }
}
}  // namespace

int buttons_of(int style) {
  return style & vb::kButtonsMask;
}
int icon_of(int style) {
  return style & vb::kIconMask;
}

std::string_view button_set_name(int buttons) {
  switch (buttons) {
    case vb::vbOKOnly:
      return "vbOKOnly";
    case vb::vbOKCancel:
      return "vbOKCancel";
    case vb::vbAbortRetryIgnore:
      return "vbAbortRetryIgnore";
    case vb::vbYesNoCancel:
      return "vbYesNoCancel";
    case vb::vbYesNo:
      return "vbYesNo";
    case vb::vbRetryCancel:
      return "vbRetryCancel";
    default:
      return "unknown";
  }
}

bool answer_allowed(int style, int answer) {
  for (const int a : answers_of(buttons_of(style))) {
    if (a == answer) return true;
  }
  return false;
}

int default_answer(int style) {
  const std::vector<int> answers = answers_of(buttons_of(style));
  const std::size_t which = static_cast<std::size_t>((style & vb::kDefaultButtonMask) >> 8);
  return which < answers.size() ? answers[which] : answers.front();
}

}  // namespace fb::ui
