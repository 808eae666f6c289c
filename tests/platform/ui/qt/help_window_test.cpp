// The help window on the product's help file: the topic asked for, the contents beside it, links
// followed and the way back, and a missing topic refused as the component expects.

#include "platform/ui/qt/help_window.h"

#include <QAction>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>
#include <QtTest>

#include "platform/os/host_error.h"

using fb::ui::qt::HelpWindow;

class HelpWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void shows_the_topic_with_the_contents_and_follows_links_back_and_forth() {
    HelpWindow window(FB_HELP_FILE, "_12.htm");
    window.show();
    QVERIFY(window.windowTitle().startsWith("使用编辑窗口"));
    auto* page = window.findChild<QTextBrowser*>();
    auto* contents = window.findChild<QTreeWidget*>();
    QVERIFY(page != nullptr && contents != nullptr);
    QVERIFY(page->toPlainText().contains("生成报表"));
    QCOMPARE(contents->topLevelItemCount() > 0, true);
    QCOMPARE(contents->currentItem()->text(0), QString("使用编辑窗口"));
    const QList<QAction*> actions = window.findChild<QToolBar*>()->actions();
    QCOMPARE(actions.size(), 2);
    QAction* back = actions[0];
    QAction* forward = actions[1];
    QVERIFY(!back->isEnabled());

    // A link on the page, as a click hands it over.
    emit page->anchorClicked(QUrl("_10.htm"));
    QCOMPARE(window.browser().topic(), std::string("_10.htm"));
    QVERIFY(page->toPlainText().contains("VBA"));
    QCOMPARE(contents->currentItem()->text(0), QString("允许访问 VBA 项目"));
    QVERIFY(back->isEnabled());

    back->trigger();
    QCOMPARE(window.browser().topic(), std::string("_12.htm"));
    QVERIFY(forward->isEnabled());
    forward->trigger();
    QCOMPARE(window.browser().topic(), std::string("_10.htm"));

    // A click in the contents shows that entry's topic.
    QTreeWidgetItem* first = contents->topLevelItem(0);
    emit contents->itemClicked(first, 0);
    QCOMPARE(contents->currentItem(), first);
  }

  void a_topic_the_file_lacks_is_a_host_error() {
    bool refused = false;
    try {
      HelpWindow window(FB_HELP_FILE, "_99.htm");
    } catch (const fb::HostError&) {
      refused = true;
    }
    QVERIFY(refused);
  }
};

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
