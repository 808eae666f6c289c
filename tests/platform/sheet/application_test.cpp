#include <gtest/gtest.h>

#include "sheet_fixture.h"

namespace fb::sheet {
namespace {

using testing::host_error_number;
using testing::num;
using testing::SheetTest;
using testing::txt;

TEST_F(SheetTest, StateSettingsHoldUntilSetAgain) {
  EXPECT_EQ(app.version(), "12.0");
  EXPECT_EQ(app.language_install_id(), 2052);
  EXPECT_EQ(app.calculation(), Calculation::Automatic);
  app.set_screen_updating(false);
  app.set_visible(false);
  app.set_display_alerts(false);
  app.set_enable_events(false);
  app.set_interactive(false);
  app.set_enable_cancel_key(CancelKey::Disabled);
  book.set_precision_as_displayed(true);
  EXPECT_FALSE(app.screen_updating() || app.visible() || app.display_alerts() ||
               app.enable_events() || app.interactive());
  EXPECT_EQ(app.enable_cancel_key(), CancelKey::Disabled);
  EXPECT_TRUE(book.precision_as_displayed());
  EXPECT_EQ(Application::inches_to_points(0.5), 36);
}

TEST_F(SheetTest, NewSheetsTakeTheNextFreeNameAndBecomeActive) {
  EXPECT_EQ(book.worksheets().count(), 3);
  EXPECT_EQ(&app.active_sheet(), &sheet);
  book.worksheets().item("sheet3").set_name("Sheet5");
  Worksheet& added = book.worksheets().add();
  EXPECT_EQ(added.name(), "Sheet4");
  EXPECT_EQ(&app.active_sheet(), &added);
  EXPECT_EQ(added.index(), 1) << "placed before the sheet that was active";
  EXPECT_EQ(book.worksheets().add().name(), "Sheet6") << "Sheet5 is in use";
  EXPECT_EQ(&book.worksheets().item("SHEET2"), &book.worksheets().item(4));
  EXPECT_EQ(host_error_number([&] { book.worksheets().item("Sheet9"); }), 9);
  EXPECT_EQ(host_error_number([&] { book.worksheets().item(9); }), 9);
  EXPECT_EQ(host_error_number([&] { sheet.set_name("Sheet2"); }), 1004);
}

TEST_F(SheetTest, SheetsAddedAfterOneAndHiddenSheets) {
  Worksheet& first = book.worksheets().item(1);
  Worksheet& added = book.worksheets().add_after(first);
  EXPECT_EQ(added.index(), 2) << "right after the sheet given";
  EXPECT_EQ(added.name(), "Sheet4");
  EXPECT_EQ(&app.active_sheet(), &added);

  // Hiding the active sheet moves the activation on; a hidden sheet cannot be activated, and
  // the last visible sheet cannot be hidden.
  added.set_visible(SheetVisibility::VeryHidden);
  EXPECT_EQ(&app.active_sheet(), &book.worksheets().item(3));
  EXPECT_EQ(host_error_number([&] { added.activate(); }), 1004);
  book.worksheets().item(4).set_visible(SheetVisibility::Hidden);
  EXPECT_EQ(&app.active_sheet(), &book.worksheets().item(3))
      << "the active sheet stays where another one is hidden";
  book.worksheets().item(3).set_visible(SheetVisibility::Hidden);
  EXPECT_EQ(&app.active_sheet(), &first) << "the last visible one before it";
  EXPECT_EQ(host_error_number([&] { first.set_visible(SheetVisibility::Hidden); }), 1004);
  EXPECT_EQ(first.visible(), SheetVisibility::Visible);
  added.set_visible(SheetVisibility::Visible);
  added.activate();
  EXPECT_EQ(&app.active_sheet(), &added);
}

TEST_F(SheetTest, WorkbooksByNameAndClosing) {
  Workbook& second = app.workbooks().add();
  EXPECT_EQ(&app.active_workbook(), &second);
  EXPECT_EQ(&app.workbooks().item(book.name()), &book);
  EXPECT_EQ(host_error_number([&] { app.workbooks().item("程序正在运行中，请稍后。。。.xml"); }),
            9);
  second.window().set_window_state(WindowState::Maximized);
  EXPECT_EQ(app.active_window().window_state(), WindowState::Maximized);
  app.active_window().close();
  EXPECT_EQ(app.workbooks().count(), 1);
  EXPECT_EQ(&app.active_workbook(), &book);
  put("A1", num(1));
  EXPECT_EQ(host_error_number([&] { book.close(true); }), 1004) << "no file writer here";
  app.set_display_alerts(false);
  book.close();
  EXPECT_EQ(app.workbooks().count(), 0);
  EXPECT_EQ(host_error_number([&] { app.active_workbook(); }), 91);
}

TEST_F(SheetTest, SaveAsNamesTheWorkbookAfterItsFileUnlessAnotherHasThatName) {
  Workbook& second = app.workbooks().add();
  const std::string second_name = second.name();
  put("A1", num(1));
  ASSERT_FALSE(book.saved());
  book.saved_as("/home/q/报表.xlsx");
  EXPECT_EQ(book.name(), "报表.xlsx");
  EXPECT_EQ(book.full_name(), "/home/q/报表.xlsx");
  EXPECT_TRUE(book.saved());
  EXPECT_EQ(&app.workbooks().item("报表.XLSX"), &book);
  book.saved_as("C:\\Reports\\报表.xlsx");  // the same name again, Windows-style
  EXPECT_EQ(book.name(), "报表.xlsx");
  // Another workbook may not take that name: nothing changes.
  EXPECT_EQ(host_error_number([&] { second.saved_as("/tmp/报表.xlsx"); }), 1004);
  EXPECT_EQ(second.name(), second_name);
  EXPECT_EQ(second.full_name(), "");
}

TEST_F(SheetTest, AnalysisLibraryFollowsTheProfile) {
  EXPECT_EQ(app.workbooks().item("funcres.xlam").name(), "FUNCRES.XLAM");
  EXPECT_EQ(app.workbooks().count(), 1) << "an add-in workbook is not counted";
  app.set_version("11.0");
  EXPECT_EQ(app.workbooks().item("FUNCRES.XLA").name(), "FUNCRES.XLA");
  EXPECT_EQ(host_error_number([&] { app.workbooks().item("FUNCRES.XLAM"); }), 9);
  app.set_analysis_library_enabled(false);
  EXPECT_EQ(host_error_number([&] { app.workbooks().item("FUNCRES.XLA"); }), 9);
}

TEST_F(SheetTest, InjectedFaultsHitTheChosenCall) {
  app.faults().fail_on(HostOperation::PasteSpecial, 2, 1004, "paste refused");
  put("A1", num(1));
  sheet.range("A1").copy();
  sheet.range("B1").paste_special(PasteType::Values);
  try {
    sheet.range("C1").paste_special(PasteType::Values);
    ADD_FAILURE() << "second paste should fail";
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), 1004);
    EXPECT_EQ(e.description(), "paste refused");
  }
  EXPECT_EQ(at("C1"), Value(Empty{})) << "a failing call changes nothing";
  sheet.range("C1").paste_special(PasteType::Values);
  EXPECT_EQ(at("C1"), num(1)) << "the fault fires once";
  app.faults().fail_on(HostOperation::WorkbooksOpen, 1, 53);
  EXPECT_EQ(host_error_number([&] { app.workbooks().open("C:\\x.xml"); }), 53);
}

// A stand-in for a component class with one worksheet function: how many cells of a range hold
// a given text.
class CountingFunctions final : public AutomationObject {
 public:
  std::optional<Value> call(std::string_view function,
                            std::span<const AddinArgument> args) override {
    if (function != "CountText" || args.size() != 2) return std::nullopt;
    const Range& where = std::get<Range>(args[1]);
    const std::string wanted = value_text(std::get<Range>(args[0]).value());
    double count = 0;
    for (const auto& row : where.values()) {
      for (const auto& v : row) count += value_text(v) == wanted ? 1 : 0;
    }
    return count;
  }
};

TEST_F(SheetTest, InstalledAutomationAddinsServeFormulas) {
  EXPECT_EQ(host_error_number([&] { app.addins().add("KIVO2D.Functions"); }), 1004);
  app.addins().register_class("KIVO2D.Functions",
                              [] { return std::make_shared<CountingFunctions>(); });
  AddIn& addin = app.addins().add("KIVO2D.Functions");
  EXPECT_FALSE(addin.installed());
  put("A1", txt("x"));
  put("A3", txt("x"));
  r1c1("A2", "=R1C1");  // a formula the function reads through its range
  addin.set_installed(true);
  app.set_calculation(Calculation::Manual);
  r1c1("B1", "=CountText(RC[-1],R1C1:R3C1)");
  put("A3", txt("y"));
  app.set_calculation(Calculation::Automatic);
  EXPECT_EQ(at("B1"), num(2)) << "A1 and A2 after recalculation";
  addin.set_installed(false);
  r1c1("B2", "=CountText(RC[-1],R1C1:R3C1)");
  EXPECT_EQ(at("B2"), Value(ErrorCode::Name));
}

}  // namespace
}  // namespace fb::sheet
