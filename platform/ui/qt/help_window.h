#pragma once

#include <QWidget>
#include <filesystem>
#include <memory>
#include <string_view>

#include "platform/ui/help_browser.h"

class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;
class QAction;
class QUrl;

namespace fb::ui::qt {

// The help window: the help file's contents as a tree beside the topic's page, with back and
// forward. It draws a HelpBrowser and hands it the user's clicks; links that lead outside the
// file open in the desktop's browser.
class HelpWindow final : public QWidget {
  Q_OBJECT

 public:
  // Throws fb::HostError as HelpBrowser does (a damaged file, a missing topic).
  HelpWindow(const std::filesystem::path& file, std::string_view topic, QWidget* parent = nullptr);
  ~HelpWindow() override;

  // Another topic of the same file, as a new help request on an open window shows it.
  bool show_topic(std::string_view topic);
  const HelpBrowser& browser() const { return *browser_; }

 public slots:
  void follow(const QUrl& link);
  void back();
  void forward();

 private:
  void refresh();
  void select_in_contents();

  std::unique_ptr<HelpBrowser> browser_;
  QTreeWidget* contents_ = nullptr;
  QTextBrowser* page_ = nullptr;
  QAction* back_ = nullptr;
  QAction* forward_ = nullptr;
};

}  // namespace fb::ui::qt
