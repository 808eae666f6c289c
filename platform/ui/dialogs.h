#pragma once

#include <string>
#include <string_view>

namespace fb::ui {

class Form;

// VB's MsgBox enumeration values. A style is the sum of one button set, one icon and optionally
// one default-button value.
namespace vb {
// Button sets.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbAbortRetryIgnore = 2;
inline constexpr int vbYesNoCancel = 3;
inline constexpr int vbYesNo = 4;
inline constexpr int vbRetryCancel = 5;
// Icons.
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;
// Default button.
inline constexpr int vbDefaultButton1 = 0;
inline constexpr int vbDefaultButton2 = 256;
inline constexpr int vbDefaultButton3 = 512;
// Answers.
inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbAbort = 3;
inline constexpr int vbRetry = 4;
inline constexpr int vbIgnore = 5;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

inline constexpr int kButtonsMask = 0x7;
inline constexpr int kIconMask = 0x70;
inline constexpr int kDefaultButtonMask = 0x300;
}  // namespace vb

// Message boxes and help, the only two ways the component talks to the user outside its windows.
// One interface: the desktop host shows real dialogs, the headless hosts record a transcript.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // VB's MsgBox(prompt, style, title): shows the text (lines joined with a carriage return,
  // character 13) and returns the answer (vbOK, vbYes, vbNo ...).
  virtual int message_box(std::string_view prompt, int style, std::string_view title) = 0;

  // HTML Help's display-topic command: shows `topic` of the help file at `help_file` (a path as
  // the component built it, Windows-style; implementations map it with fb::os::native_path),
  // owned by `owner` (may be null). Throws fb::HostError when the help system fails. Whether the
  // file exists is the caller's test, made before.
  virtual void show_help(std::string_view help_file, std::string_view topic, const Form* owner) = 0;
};

// The button set of a style, the answers it allows in order, and the answer of its default
// button.
int buttons_of(int style);
int icon_of(int style);
std::string_view button_set_name(int buttons);
bool answer_allowed(int style, int answer);
int default_answer(int style);

}  // namespace fb::ui
