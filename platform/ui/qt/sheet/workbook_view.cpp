#include "platform/ui/qt/sheet/workbook_view.h"

#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

#include "platform/sheet/workbook.h"
#include "platform/sheet/worksheet.h"
#include "platform/ui/qt/sheet/sheet_view.h"

namespace fb::ui::qt {

WorkbookView::WorkbookView(sheet::Workbook& workbook, render::DrawingRenderer render_drawing,
                           QWidget* parent)
    : QWidget(parent), workbook_(workbook) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  view_ = new SheetView(workbook, std::move(render_drawing), this);
  sheet_tabs_ = new QTabBar(this);
  sheet_tabs_->setShape(QTabBar::RoundedSouth);
  sheet_tabs_->setDrawBase(false);
  sheet_tabs_->setExpanding(false);
  layout->addWidget(view_, 1);
  layout->addWidget(sheet_tabs_, 0, Qt::AlignLeft);
  connect(sheet_tabs_, &QTabBar::currentChanged, this, [this](int index) {
    if (index < 0 || index >= workbook_.worksheets().count()) return;
    workbook_.worksheets().item(index + 1).activate();
    view_->invalidate();
  });
  connect(view_, &SheetView::cell_edited, this, &WorkbookView::changed);
  refresh();
}

void WorkbookView::refresh() {
  const QSignalBlocker blocker(sheet_tabs_);
  sheet::Worksheets& sheets = workbook_.worksheets();
  while (sheet_tabs_->count() > sheets.count()) sheet_tabs_->removeTab(sheet_tabs_->count() - 1);
  for (int i = 1; i <= sheets.count(); ++i) {
    const QString name = QString::fromStdString(sheets.item(i).name());
    if (i > sheet_tabs_->count()) {
      sheet_tabs_->addTab(name);
    } else {
      sheet_tabs_->setTabText(i - 1, name);
    }
    // One tab a sheet keeps tab i the sheet i; a hidden sheet's tab is not shown.
    sheet_tabs_->setTabVisible(i - 1, sheets.item(i).visible() == sheet::SheetVisibility::Visible);
  }
  if (sheets.count() > 0) sheet_tabs_->setCurrentIndex(workbook_.active_sheet().index() - 1);
  view_->invalidate();
}

}  // namespace fb::ui::qt
