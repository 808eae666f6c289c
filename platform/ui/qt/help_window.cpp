#include "platform/ui/qt/help_window.h"

#include <QAction>
#include <QDesktopServices>
#include <QSplitter>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <string>
#include <vector>

namespace fb::ui::qt {
namespace {

constexpr int kTopicRole = Qt::UserRole;

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

HelpWindow::HelpWindow(const std::filesystem::path& file, std::string_view topic, QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(std::make_unique<HelpBrowser>(file, topic)) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  resize(820, 560);

  auto* bar = new QToolBar(this);
  back_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), "后退");
  forward_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), "前进");
  connect(back_, &QAction::triggered, this, &HelpWindow::back);
  connect(forward_, &QAction::triggered, this, &HelpWindow::forward);

  contents_ = new QTreeWidget(this);
  contents_->setHeaderHidden(true);
  // The contents file lists its entries in order with their depth: rebuild the tree from that.
  std::vector<QTreeWidgetItem*> parents;
  for (const HelpEntry& entry : browser_->contents()) {
    const auto depth = static_cast<std::size_t>(std::max(entry.level, 1) - 1);
    parents.resize(std::min(parents.size(), depth));
    auto* item =
        parents.empty() ? new QTreeWidgetItem(contents_) : new QTreeWidgetItem(parents.back());
    item->setText(0, Text(entry.name));
    item->setData(0, kTopicRole, Text(entry.topic));
    parents.push_back(item);
  }
  contents_->expandAll();
  connect(contents_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    show_topic(item->data(0, kTopicRole).toString().toStdString());
  });
  connect(contents_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
    show_topic(item->data(0, kTopicRole).toString().toStdString());
  });

  page_ = new QTextBrowser(this);
  page_->setOpenLinks(false);
  connect(page_, &QTextBrowser::anchorClicked, this, &HelpWindow::follow);

  auto* split = new QSplitter(this);
  split->addWidget(contents_);
  split->addWidget(page_);
  split->setStretchFactor(1, 1);
  split->setSizes({200, 620});

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
  layout->addWidget(split);
  refresh();
}

HelpWindow::~HelpWindow() = default;

bool HelpWindow::show_topic(std::string_view topic) {
  if (!browser_->Show(topic)) return false;
  refresh();
  return true;
}

void HelpWindow::follow(const QUrl& link) {
  std::string outside;
  const QString href = link.toString();
  switch (browser_->Follow(href.toStdString(), &outside)) {
    case HelpBrowser::LinkResult::kShown:
      refresh();
      break;
    case HelpBrowser::LinkResult::kOutside:
      QDesktopServices::openUrl(QUrl(Text(outside)));
      break;
    case HelpBrowser::LinkResult::kNowhere:
      break;
  }
}

void HelpWindow::back() {
  if (!browser_->can_go_back()) return;
  browser_->Back();
  refresh();
}

void HelpWindow::forward() {
  if (!browser_->can_go_forward()) return;
  browser_->Forward();
  refresh();
}

void HelpWindow::refresh() {
  page_->setHtml(Text(browser_->page()));
  const std::string& file_title = browser_->file().title();
  setWindowTitle(Text(browser_->page_title()) + " - " +
                 (file_title.empty() ? QString("帮助") : Text(file_title)));
  back_->setEnabled(browser_->can_go_back());
  forward_->setEnabled(browser_->can_go_forward());
  select_in_contents();
}

void HelpWindow::select_in_contents() {
  const QString topic = Text(browser_->topic());
  for (QTreeWidgetItemIterator it(contents_); *it != nullptr; ++it) {
    if ((*it)->data(0, kTopicRole).toString() == topic) {
      contents_->setCurrentItem(*it);
      return;
    }
  }
  contents_->clearSelection();
}

}  // namespace fb::ui::qt
