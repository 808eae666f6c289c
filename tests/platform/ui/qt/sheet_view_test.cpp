// The grid as a user fills in a form: a merged area is one cell to the mouse and the keyboard, so
// a typed value lands in the cell that shows it, never in a hidden cell of the area.

#include "platform/ui/qt/sheet/sheet_view.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>

#include "platform/os/environment.h"
#include "platform/render/drawing/drawing_renderer.h"
#include "platform/sheet/application.h"
#include "platform/sheet/workbook.h"
#include "platform/sheet/worksheet.h"

using fb::sheet::CellAddress;

namespace {

// A form row as the report has it: B7:E7 and F7:H7 merged, with a plain cell on either side.
struct Form {
  Form() : view(book, fb::render::render_drawing) {
    sheet().range("B7:E7").merge();
    sheet().range("F7:H7").merge();
    sheet().range("B8:E9").merge();
    view.resize(900, 500);
    view.show();
    view.setFocus();
  }
  fb::sheet::Worksheet& sheet() { return book.active_sheet(); }
  QString text(const char* cell) { return QString::fromStdString(sheet().range(cell).text()); }
  QPoint centre_of(const char* area) { return view.cell_rect(sheet().range(area).area()).center(); }
  QLineEdit* editor() { return view.findChild<QLineEdit*>(); }

  fb::os::MapEnvironment env;
  fb::sheet::Application app{env};
  fb::sheet::Workbook& book = app.workbooks().add();
  fb::ui::qt::SheetView view;
};

}  // namespace

class SheetViewTest : public QObject {
  Q_OBJECT

 private slots:
  void a_click_anywhere_in_a_merged_area_edits_its_first_cell() {
    Form form;
    // The middle of B7:E7 is over D7, a hidden cell of the area.
    QTest::mouseClick(form.view.viewport(), Qt::LeftButton, {}, form.centre_of("D7"));
    QVERIFY(form.view.active_cell() == (CellAddress{7, 2}));
    QCOMPARE(form.sheet().selection().area(), form.sheet().range("B7:E7").area());
    QTest::keyClick(&form.view, '2');  // the first key opens the editor, which takes the rest
    QTest::keyClicks(form.editor(), "024-05");
    QTest::keyClick(form.editor(), Qt::Key_Return);
    QCOMPARE(form.text("B7"), QString("2024-05"));
    for (const char* hidden : {"C7", "D7", "E7"}) QCOMPARE(form.text(hidden), QString());
    // A double click in the area opens the editor on the same first cell.
    QTest::mouseDClick(form.view.viewport(), Qt::LeftButton, {}, form.centre_of("E7"));
    QVERIFY(form.view.editing());
    QCOMPARE(form.editor()->text(), QString("2024-05"));
  }

  void keys_step_over_a_merged_area_as_over_one_cell() {
    struct Case {
      const char* what;
      CellAddress from;
      int key;
      bool while_editing;
      CellAddress to;
    };
    const Case cases[] = {
        {"Tab leaves B7:E7 for F7", {7, 2}, Qt::Key_Tab, false, {7, 6}},
        {"Tab after typing, the same", {7, 2}, Qt::Key_Tab, true, {7, 6}},
        {"Tab from F7:H7 to I7", {7, 6}, Qt::Key_Tab, false, {7, 9}},
        {"Shift+Tab from F7 to B7", {7, 6}, Qt::Key_Backtab, false, {7, 2}},
        {"Right from A7 enters B7:E7 at B7", {7, 1}, Qt::Key_Right, false, {7, 2}},
        {"Left from I7 to F7", {7, 9}, Qt::Key_Left, false, {7, 6}},
        {"Enter goes one row down: B7 to B8", {7, 2}, Qt::Key_Return, false, {8, 2}},
        {"Enter after typing goes one row down, not two", {7, 2}, Qt::Key_Return, true, {8, 2}},
        {"Enter leaves the two-row B8:E9 for B10", {8, 2}, Qt::Key_Return, false, {10, 2}},
        {"Down into B8:E9 from D7's column lands on B8", {6, 4}, Qt::Key_Down, false, {7, 2}},
        {"Up from B10 to B8", {10, 2}, Qt::Key_Up, false, {8, 2}},
        {"Up after typing in A10, the same step", {10, 1}, Qt::Key_Up, true, {9, 1}},
    };
    for (const Case& c : cases) {
      Form form;
      form.view.select_cell(c.from);
      if (c.while_editing) {
        QTest::keyClicks(&form.view, "x");
        QVERIFY2(form.view.editing(), c.what);
        QTest::keyClick(form.editor(), static_cast<Qt::Key>(c.key));
        QVERIFY2(!form.view.editing(), c.what);
      } else {
        QTest::keyClick(&form.view, static_cast<Qt::Key>(c.key));
      }
      const CellAddress at = form.view.active_cell();
      QVERIFY2(at == c.to,
               qPrintable(QString("%1: at R%2C%3").arg(c.what).arg(at.row).arg(at.column)));
      if (c.while_editing) {
        const auto& first = c.from;
        QCOMPARE(QString::fromStdString(form.sheet().cells(first.row, first.column).text()),
                 QString("x"));
      }
    }
  }

  void the_selection_frame_covers_the_whole_area() {
    Form form;
    form.view.select_cell({7, 3});
    const QRect frame = form.view.cell_rect(form.sheet().selection().area());
    QCOMPARE(frame, form.view.cell_rect(form.sheet().range("B7:E7").area()));
    // Only framed, not tinted as a selection of several cells, and no grid line crosses it: the
    // inside is the sheet's white all along.
    const QImage shot = form.view.viewport()->grab().toImage();
    for (int x = frame.left() + 3; x < frame.right() - 2; ++x) {
      QCOMPARE(shot.pixelColor(x, frame.center().y()), QColor(Qt::white));
    }
  }

  void control_keys_jump_to_the_ends_and_zoom() {
    Form form;
    form.sheet().range("K40").set_value("last");
    form.view.select_cell({9, 9});
    QTest::keyClick(&form.view, Qt::Key_End, Qt::ControlModifier);
    QVERIFY(form.view.active_cell() == (CellAddress{40, 11}));
    QTest::keyClick(&form.view, Qt::Key_Home, Qt::ControlModifier);
    QVERIFY(form.view.active_cell() == (CellAddress{1, 1}));
    QCOMPARE(form.view.verticalScrollBar()->value(), 0);

    QTest::keyClick(&form.view, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(form.view.zoom(), 0.9);
    QTest::keyClick(&form.view, Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(&form.view, Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(form.view.zoom(), 1.1);
    QTest::keyClick(&form.view, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(form.view.zoom(), 1.0);
    QVERIFY(!form.view.editing());  // none of them typed into a cell
  }
};

QTEST_MAIN(SheetViewTest)
#include "sheet_view_test.moc"
