#pragma once

#include <QWidget>

#include "platform/render/page/drawing_render_callback.h"

class QTabBar;

namespace fb::sheet {
class Workbook;
}

namespace fb::ui::qt {

class SheetView;

// One open workbook: the grid of its active sheet over a row of sheet tabs.
class WorkbookView : public QWidget {
  Q_OBJECT

 public:
  WorkbookView(sheet::Workbook& workbook, render::DrawingRenderer render_drawing,
               QWidget* parent = nullptr);

  sheet::Workbook& workbook() const { return workbook_; }
  SheetView& sheet_view() const { return *view_; }
  // Draws the sheet tabs and the grid from the model again.
  void refresh();

 signals:
  void changed();

 private:
  sheet::Workbook& workbook_;
  SheetView* view_ = nullptr;
  QTabBar* sheet_tabs_ = nullptr;
};

}  // namespace fb::ui::qt
