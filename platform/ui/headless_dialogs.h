#pragma once

#include <deque>
#include <functional>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ui/dialogs.h"

namespace fb::ui {

// Thrown by HeadlessDialogs when a box needs an answer that nobody queued (strict policy) or a
// queued answer does not fit the box. Deliberately not an fb::HostError, so the component's
// "ignore the failure and go on" traps do not swallow it and the test sees it.
class UnexpectedDialog : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// One entry of the transcript: a message box or a help request, in the order they came.
struct DialogRecord {
  enum class Kind { kMessageBox, kHelp };
  Kind kind = Kind::kMessageBox;
  // Message box.
  std::string text;
  std::string title;
  int icon = 0;     // style & 0x70: 0, vbCritical, vbQuestion, vbExclamation, vbInformation
  int buttons = 0;  // style & 0x7: vbOKOnly, vbYesNo ...
  int style = 0;    // the whole style value
  int answer = 0;   // what the box returned
  // Help request.
  std::string help_file;
  std::string topic;
  std::string owner;    // the owner form's name, "" for none
  bool failed = false;  // the help call threw
};

// Headless message boxes and help: records every box and help request and answers boxes from a
// queue of answers.
//
// A box with a single button (vbOKOnly) always answers vbOK and leaves the queue alone, so a test
// queues answers for questions only. A box that offers a choice takes the next queued answer; one
// the box does not offer (vbOK for a Yes/No box) throws UnexpectedDialog. When the queue is empty:
// - kStrict (default, for tests): the box throws UnexpectedDialog, so every question a test did
//   not foresee fails it;
// - kDefaultButton (for the command-line host): the box answers its default button (the first
//   button unless the style says vbDefaultButton2/3).
// Help requests succeed unless a failure was queued.
class HeadlessDialogs final : public Dialogs {
 public:
  enum class Policy { kStrict, kDefaultButton };

  explicit HeadlessDialogs(Policy policy = Policy::kStrict) : policy_(policy) {}

  int message_box(std::string_view prompt, int style, std::string_view title) override;
  void show_help(std::string_view help_file, std::string_view topic, const Form* owner) override;

  void queue_answer(int answer) { answers_.push_back(answer); }
  void queue_answers(std::initializer_list<int> answers) {
    answers_.insert(answers_.end(), answers.begin(), answers.end());
  }
  std::size_t pending_answers() const { return answers_.size(); }
  // The next help request throws fb::HostError(number, description).
  void fail_next_help(int number, std::string description);

  // Runs at each box or help request, after it is recorded and before the call returns (a test
  // can look at the windows while the box is "open").
  void set_on_dialog(std::function<void(const DialogRecord&)> on_dialog) {
    on_dialog_ = std::move(on_dialog);
  }

  const std::vector<DialogRecord>& transcript() const { return transcript_; }
  std::vector<DialogRecord> message_boxes() const;
  std::vector<DialogRecord> help_requests() const;
  void clear_transcript() { transcript_.clear(); }

 private:
  Policy policy_;
  std::deque<int> answers_;
  std::optional<std::pair<int, std::string>> help_failure_;
  std::vector<DialogRecord> transcript_;
  std::function<void(const DialogRecord&)> on_dialog_;
};

}  // namespace fb::ui
