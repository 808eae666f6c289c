#pragma once

#include <QAbstractScrollArea>
#include <optional>
#include <string>
#include <vector>

#include "platform/render/display_list.h"
#include "platform/render/page/drawing_render_callback.h"
#include "platform/sheet/cell_address.h"

class QLineEdit;

namespace fb::sheet {
class Workbook;
class Worksheet;
}  // namespace fb::sheet

namespace fb::ui::qt {

// The active sheet of one workbook as a grid: row and column headers, grid lines, the cells with
// their values, number formats, fonts, fills, borders, alignment, wrapping and merged areas, and
// the sheet's shapes over them, all drawn through the page renderer's display list so that the
// screen shows what the paper shows. The user selects, scrolls, zooms (Ctrl+wheel), types into
// cells (typing, F2, Delete, Enter down, Tab right, Escape, Ctrl+Z undoes the last edits) and
// follows hyperlinks of cells and pictures.
class SheetView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  SheetView(sheet::Workbook& workbook, render::DrawingRenderer render_drawing,
            QWidget* parent = nullptr);

  sheet::Workbook& workbook() const { return workbook_; }
  sheet::Worksheet& sheet() const;

  double zoom() const { return zoom_; }
  // 0.1 to 4; 1 is 100 %.
  void set_zoom(double zoom);

  // The model changed behind the view's back (a generation, another window): draw it anew.
  void invalidate();

  // Where a cell (a merged area counts whole) is on the viewport, in pixels.
  QRect cell_rect(const sheet::RangeAddress& area) const;
  // The cell under a viewport point; nothing over the headers.
  std::optional<sheet::CellAddress> cell_at(QPoint viewport_point) const;

  // Moves the active cell (and the selection) there and scrolls it into view; a cell of a merged
  // area selects the area, its first cell active.
  void select_cell(sheet::CellAddress cell, bool extend = false);
  sheet::CellAddress active_cell() const;
  // The cell one step from the active cell (rows and columns -1, 0 or 1), stepping over the
  // whole merged area it belongs to, as Enter, Tab and the arrow keys move.
  sheet::CellAddress next_cell(int rows, int columns) const;
  // Opens the cell editor on the active cell, optionally starting with a typed text.
  void begin_edit(const QString& initial = {}, bool replace = false);
  bool editing() const;
  // Writes the editor's text into the active cell as typed text (a number, a formula ...).
  void commit_edit();
  void cancel_edit();
  // Undoes the last edit the user made in this view; false when there is none.
  bool undo();
  // Paint events this view has handled: tests count them while a generation runs.
  int paint_count() const { return paint_count_; }

 signals:
  // The user changed a cell (typed, cleared, undid).
  void cell_edited();
  // The user followed a hyperlink.
  void link_activated(const QString& address);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Visible {
    sheet::RangeAddress cells;  // the rows and columns at least partly on screen
    std::vector<int> xs;        // left pixel edge of each visible column, then the right edge
    std::vector<int> ys;        // top pixel edge of each visible row, then the bottom edge
  };
  struct Edit {
    const sheet::Worksheet* sheet;
    sheet::CellAddress cell;
    std::string old_formula;
  };

  double pixels_per_point() const;
  int first_row() const;
  int first_column() const;
  Visible visible() const;
  void update_scroll_ranges();
  void write_cell(sheet::CellAddress cell, const std::string& formula);
  void place_editor();
  void ensure_visible(sheet::CellAddress cell);
  bool follow_link_at(QPoint viewport_point);
  const render::DisplayList& shapes_drawing();

  sheet::Workbook& workbook_;
  render::DrawingRenderer render_drawing_;
  double zoom_ = 1.0;
  int paint_count_ = 0;
  sheet::CellAddress anchor_{1, 1};
  QLineEdit* editor_ = nullptr;
  std::vector<Edit> undo_;
  // The shapes of the sheet in sheet coordinates: drawing a chart picture is the costly part of a
  // repaint, so it is made once per change of the model.
  std::optional<render::DisplayList> shapes_cache_;
  const sheet::Worksheet* shapes_cache_sheet_ = nullptr;
};

}  // namespace fb::ui::qt
