#include "platform/ui/qt/qt_dialogs.h"

#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <utility>
#include <vector>

#include "platform/os/host_error.h"

namespace fb::ui::qt {

namespace {

struct MessageButton {
  int answer;
  const char* caption;
  QMessageBox::ButtonRole role;
};

// The host speaks the install language: the buttons carry its captions and mnemonics.
std::vector<MessageButton> buttons_for(int buttons) {
  const MessageButton ok{vb::vbOK, "确定", QMessageBox::AcceptRole};
  const MessageButton cancel{vb::vbCancel, "取消", QMessageBox::RejectRole};
  const MessageButton yes{vb::vbYes, "是(&Y)", QMessageBox::YesRole};
  const MessageButton no{vb::vbNo, "否(&N)", QMessageBox::NoRole};
  const MessageButton abort{vb::vbAbort, "中止(&A)", QMessageBox::RejectRole};
  const MessageButton retry{vb::vbRetry, "重试(&R)", QMessageBox::AcceptRole};
  const MessageButton ignore{vb::vbIgnore, "忽略(&I)", QMessageBox::AcceptRole};
  switch (buttons) {
    case vb::vbOKCancel:
      return {ok, cancel};
    case vb::vbAbortRetryIgnore:
      return {abort, retry, ignore};
    case vb::vbYesNoCancel:
      return {yes, no, cancel};
    case vb::vbYesNo:
      return {yes, no};
    case vb::vbRetryCancel:
      return {retry, cancel};
    default:
      return {ok};
  }
}

QMessageBox::Icon icon_for(int icon) {
  switch (icon) {
    case vb::vbCritical:
      return QMessageBox::Critical;
    case vb::vbQuestion:
      return QMessageBox::Question;
    case vb::vbExclamation:
      return QMessageBox::Warning;
    case vb::vbInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

}  // namespace

int QtDialogs::message_box(std::string_view prompt, int style, std::string_view title) {
  QString text = QString::fromUtf8(prompt.data(), static_cast<qsizetype>(prompt.size()));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar('\r'), QChar('\n'));
  QWidget* const owner = parent_ ? parent_() : nullptr;
  QPointer<QWidget> asked(owner);
  QMessageBox box(owner);
  box.setWindowTitle(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
  box.setText(text);
  box.setIcon(icon_for(icon_of(style)));
  const std::vector<MessageButton> buttons = buttons_for(buttons_of(style));
  std::vector<std::pair<QPushButton*, int>> pressed_answer;
  const int default_answer_value = default_answer(style);
  for (const MessageButton& button_kind : buttons) {
    QPushButton* button = box.addButton(QString::fromUtf8(button_kind.caption), button_kind.role);
    pressed_answer.emplace_back(button, button_kind.answer);
    if (button_kind.answer == default_answer_value) box.setDefaultButton(button);
    if (button_kind.answer == vb::vbCancel || buttons.size() == 1) box.setEscapeButton(button);
  }
  box.exec();
  // The window that asked is the one the user goes on working in: give it the front back, or a
  // window manager may hand it to another of the program's windows.
  if (asked && asked->isVisible()) {
    asked->raise();
    asked->activateWindow();
  }
  for (const auto& [button, answer] : pressed_answer) {
    if (box.clickedButton() == button) return answer;
  }
  // Closed without a button: what Escape would have answered.
  for (const MessageButton& button_kind : buttons) {
    if (button_kind.answer == vb::vbCancel) return vb::vbCancel;
  }
  return default_answer_value;
}

void QtDialogs::show_help(std::string_view help_file, std::string_view topic, const Form* owner) {
  if (!help_viewer_) {
    throw HostError(host_error::kApplicationDefined, "没有可用的帮助查看器");
  }
  help_viewer_(help_file, topic, owner);
}

}  // namespace fb::ui::qt
