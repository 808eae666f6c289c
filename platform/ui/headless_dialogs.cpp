#include "platform/ui/headless_dialogs.h"

#include "platform/os/host_error.h"
#include "platform/ui/form.h"

namespace fb::ui {

int HeadlessDialogs::message_box(std::string_view prompt, int style, std::string_view title) {
  DialogRecord record;
  record.kind = DialogRecord::Kind::kMessageBox;
  record.text = std::string(prompt);
  record.title = std::string(title);
  record.icon = icon_of(style);
  record.buttons = buttons_of(style);
  record.style = style;

  int answer = 0;
  if (record.buttons == vb::vbOKOnly) {
    answer = vb::vbOK;  // one button, one answer: the queue is kept for questions
  } else if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
    if (!answer_allowed(style, answer)) {
      throw UnexpectedDialog("queued answer " + std::to_string(answer) + " does not fit a " +
                             std::string(button_set_name(record.buttons)) + " box: \"" +
                             record.text + "\" (title \"" + record.title + "\")");
    }
  } else if (policy_ == Policy::kDefaultButton) {
    answer = default_answer(style);
  } else {
    throw UnexpectedDialog("message box without a queued answer: \"" + record.text +
                           "\" (title \"" + record.title + "\", " +
                           std::string(button_set_name(record.buttons)) + ")");
  }
  record.answer = answer;
  transcript_.push_back(record);
  if (on_dialog_) on_dialog_(transcript_.back());
  return answer;
}

void HeadlessDialogs::show_help(std::string_view help_file, std::string_view topic,
                                const Form* owner) {
  DialogRecord record;
  record.kind = DialogRecord::Kind::kHelp;
  record.help_file = std::string(help_file);
  record.topic = std::string(topic);
  record.owner = owner != nullptr ? owner->name() : std::string();
  record.failed = help_failure_.has_value();
  transcript_.push_back(record);
  if (on_dialog_) on_dialog_(transcript_.back());
  if (help_failure_) {
    const auto failure = *help_failure_;
    help_failure_.reset();
    throw HostError(failure.first, failure.second);
  }
}

void HeadlessDialogs::fail_next_help(int number, std::string description) {
  help_failure_ = std::make_pair(number, std::move(description));
}

std::vector<DialogRecord> HeadlessDialogs::message_boxes() const {
  std::vector<DialogRecord> out;
  for (const DialogRecord& r : transcript_) {
    if (r.kind == DialogRecord::Kind::kMessageBox) out.push_back(r);
  }
  return out;
}

std::vector<DialogRecord> HeadlessDialogs::help_requests() const {
  std::vector<DialogRecord> out;
  for (const DialogRecord& r : transcript_) {
    if (r.kind == DialogRecord::Kind::kHelp) out.push_back(r);
  }
  return out;
}

}  // namespace fb::ui
