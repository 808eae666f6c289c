#include "platform/ui/qt/sheet/sheet_view.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "platform/os/host_error.h"
#include "platform/render/page/page_renderer.h"
#include "platform/render/page/sheet_shapes.h"
#include "platform/sheet/address.h"
#include "platform/sheet/application.h"
#include "platform/sheet/column_width.h"
#include "platform/sheet/range.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_collection.h"
#include "platform/sheet/workbook.h"
#include "platform/sheet/worksheet.h"
#include "platform/ui/qt/painter_sink.h"

namespace fb::ui::qt {

namespace {

using sheet::CellAddress;
using sheet::RangeAddress;

constexpr int kRowHeaderWidth = 44;
constexpr int kColumnHeaderHeight = 22;
const QColor kGridLine(218, 220, 224);
const QColor kHeaderFill(243, 243, 243);
const QColor kHeaderSelected(211, 227, 253);
const QColor kHeaderText(68, 68, 68);
const QColor kSelectionFrame(26, 115, 232);
const QColor kSelectionFill(26, 115, 232, 36);

RangeAddress cell_area(CellAddress cell) {
  return {cell, cell};
}

// Whether the two areas share a cell.
bool meet(const RangeAddress& a, const RangeAddress& b) {
  return a.first.row <= b.last.row && a.last.row >= b.first.row &&
         a.first.column <= b.last.column && a.last.column >= b.first.column;
}

// The visible area grown to hold every merged area it cuts, so that a merged cell's text and
// fill are drawn even when its top-left cell is scrolled away.
RangeAddress with_whole_merges(const sheet::Worksheet& sheet, RangeAddress area) {
  bool grown = true;
  while (grown) {
    grown = false;
    for (const RangeAddress& merge : sheet.merges()) {
      if (!meet(merge, area)) continue;
      const RangeAddress before = area;
      area.first.row = std::min(area.first.row, merge.first.row);
      area.first.column = std::min(area.first.column, merge.first.column);
      area.last.row = std::max(area.last.row, merge.last.row);
      area.last.column = std::max(area.last.column, merge.last.column);
      grown = grown || !(before == area);
    }
  }
  return area;
}

}  // namespace

SheetView::SheetView(sheet::Workbook& workbook, render::DrawingRenderer render_drawing,
                     QWidget* parent)
    : QAbstractScrollArea(parent), workbook_(workbook), render_drawing_(std::move(render_drawing)) {
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  viewport()->setAutoFillBackground(false);
  setViewportMargins(0, 0, 0, 0);
  verticalScrollBar()->setSingleStep(1);
  horizontalScrollBar()->setSingleStep(1);
  editor_ = new QLineEdit(viewport());
  editor_->setFrame(false);
  editor_->hide();
  editor_->installEventFilter(this);
  update_scroll_ranges();
}

sheet::Worksheet& SheetView::sheet() const {
  return workbook_.active_sheet();
}

double SheetView::pixels_per_point() const {
  return zoom_ * logicalDpiX() / 72.0;
}

int SheetView::first_row() const {
  return verticalScrollBar()->value() + 1;
}

int SheetView::first_column() const {
  return horizontalScrollBar()->value() + 1;
}

void SheetView::set_zoom(double zoom) {
  zoom_ = std::clamp(zoom, 0.1, 4.0);
  update_scroll_ranges();
  place_editor();
  viewport()->update();
}

void SheetView::invalidate() {
  shapes_cache_.reset();
  update_scroll_ranges();
  place_editor();
  viewport()->update();
}

void SheetView::update_scroll_ranges() {
  const sheet::Worksheet& ws = sheet();
  const sheet::GridSize grid = ws.grid();
  // As far as the content reaches and a screen beyond, never past the grid.
  const CellAddress extent = ws.store().extent();
  const int rows = std::min(grid.rows, std::max(extent.row, anchor_.row) + 100);
  const int columns = std::min(grid.columns, std::max(extent.column, anchor_.column) + 30);
  verticalScrollBar()->setRange(0, std::max(0, rows - 1));
  horizontalScrollBar()->setRange(0, std::max(0, columns - 1));
  verticalScrollBar()->setPageStep(std::max(1, viewport()->height() / 20));
  horizontalScrollBar()->setPageStep(std::max(1, viewport()->width() / 64));
}

SheetView::Visible SheetView::visible() const {
  const sheet::Worksheet& ws = sheet();
  const sheet::GridSize grid = ws.grid();
  const double scale = pixels_per_point();
  const render::SheetGeometry geometry(ws);
  Visible v;
  const int width = viewport()->width();
  const int height = viewport()->height();
  double x = kRowHeaderWidth;
  int column = first_column();
  v.xs.push_back(kRowHeaderWidth);
  while (column <= grid.columns && std::lround(x) < width) {
    x += geometry.column_width(column) * scale;
    v.xs.push_back(static_cast<int>(std::lround(x)));
    ++column;
  }
  double y = kColumnHeaderHeight;
  int row = first_row();
  v.ys.push_back(kColumnHeaderHeight);
  while (row <= grid.rows && std::lround(y) < height) {
    y += ws.row_height(row) * scale;
    v.ys.push_back(static_cast<int>(std::lround(y)));
    ++row;
  }
  v.cells = {{first_row(), first_column()},
             {std::max(first_row(), row - 1), std::max(first_column(), column - 1)}};
  return v;
}

QRect SheetView::cell_rect(const RangeAddress& area) const {
  const sheet::Worksheet& ws = sheet();
  const render::SheetGeometry geometry(ws);
  const double scale = pixels_per_point();
  const double origin_x = geometry.column_left(first_column());
  const double origin_y = geometry.row_top(first_row());
  const render::Rect r = geometry.cell_rect(area);
  const int left = kRowHeaderWidth + static_cast<int>(std::lround((r.x - origin_x) * scale));
  const int top = kColumnHeaderHeight + static_cast<int>(std::lround((r.y - origin_y) * scale));
  const int right = kRowHeaderWidth + static_cast<int>(std::lround((r.right() - origin_x) * scale));
  const int bottom =
      kColumnHeaderHeight + static_cast<int>(std::lround((r.bottom() - origin_y) * scale));
  return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

std::optional<CellAddress> SheetView::cell_at(QPoint point) const {
  if (point.x() < kRowHeaderWidth || point.y() < kColumnHeaderHeight) return std::nullopt;
  const Visible v = visible();
  int column = -1;
  for (std::size_t i = 0; i + 1 < v.xs.size(); ++i) {
    if (point.x() >= v.xs[i] && point.x() < v.xs[i + 1]) column = v.cells.first.column + int(i);
  }
  int row = -1;
  for (std::size_t i = 0; i + 1 < v.ys.size(); ++i) {
    if (point.y() >= v.ys[i] && point.y() < v.ys[i + 1]) row = v.cells.first.row + int(i);
  }
  if (row < 0 || column < 0) return std::nullopt;
  return CellAddress{row, column};
}

CellAddress SheetView::active_cell() const {
  const sheet::Range active = sheet().active_cell();
  return {active.row(), active.column()};
}

CellAddress SheetView::next_cell(int rows, int columns) const {
  const CellAddress active = active_cell();
  // A step leaves the whole merged area the active cell belongs to.
  const RangeAddress area = sheet().merge_area_of(active).value_or(cell_area(active));
  CellAddress next = active;
  if (rows > 0) next.row = area.last.row + rows;
  if (rows < 0) next.row = area.first.row + rows;
  if (columns > 0) next.column = area.last.column + columns;
  if (columns < 0) next.column = area.first.column + columns;
  return next;
}

void SheetView::select_cell(CellAddress cell, bool extend) {
  if (editing()) commit_edit();
  sheet::Worksheet& ws = sheet();
  const sheet::GridSize grid = ws.grid();
  cell.row = std::clamp(cell.row, 1, grid.rows);
  cell.column = std::clamp(cell.column, 1, grid.columns);
  // A merged area is one cell: whatever part of it is hit, its first cell is the one that holds
  // the text, and the one a typed value must go to.
  if (!extend) {
    if (auto merge = ws.merge_area_of(cell)) cell = merge->first;
  }
  RangeAddress area = cell_area(cell);
  CellAddress active = cell;
  if (extend) {
    active = active_cell();
    area = {{std::min(active.row, cell.row), std::min(active.column, cell.column)},
            {std::max(active.row, cell.row), std::max(active.column, cell.column)}};
  } else {
    anchor_ = cell;
  }
  area = with_whole_merges(ws, area);
  ws.set_selection(area, active);
  ensure_visible(cell);
  viewport()->update();
}

void SheetView::ensure_visible(CellAddress cell) {
  update_scroll_ranges();
  if (cell.row < first_row()) verticalScrollBar()->setValue(cell.row - 1);
  if (cell.column < first_column()) horizontalScrollBar()->setValue(cell.column - 1);
  for (int guard = 0; guard < 10000; ++guard) {
    const Visible v = visible();
    // The last visible row and column may be cut by the edge: the cell must be whole.
    const bool row_whole = cell.row < v.cells.last.row ||
                           (cell.row == v.cells.last.row && v.ys.back() <= viewport()->height());
    if (row_whole || first_row() >= cell.row) break;
    verticalScrollBar()->setValue(verticalScrollBar()->value() + 1);
  }
  for (int guard = 0; guard < 10000; ++guard) {
    const Visible v = visible();
    const bool column_whole =
        cell.column < v.cells.last.column ||
        (cell.column == v.cells.last.column && v.xs.back() <= viewport()->width());
    if (column_whole || first_column() >= cell.column) break;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + 1);
  }
}

const render::DisplayList& SheetView::shapes_drawing() {
  const sheet::Worksheet& ws = sheet();
  if (!shapes_cache_ || shapes_cache_sheet_ != &ws) {
    render::DisplayList drawing;
    if (ws.shapes().count() > 0) render::sheet_shapes(ws, render_drawing_)(drawing);
    shapes_cache_ = std::move(drawing);
    shapes_cache_sheet_ = &ws;
  }
  return *shapes_cache_;
}

void SheetView::paintEvent(QPaintEvent* /*event*/) {
  ++paint_count_;
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), Qt::white);
  const sheet::Worksheet& ws = sheet();
  const Visible v = visible();
  const double scale = pixels_per_point();

  // Grid lines under everything: a fill hides them, as on paper.
  painter.setPen(kGridLine);
  for (int x : v.xs) painter.drawLine(x - 1, kColumnHeaderHeight, x - 1, v.ys.back());
  for (int y : v.ys) painter.drawLine(kRowHeaderWidth, y - 1, v.xs.back(), y - 1);
  // A merged area is one cell: no grid lines cross it, only its own edges show.
  for (const RangeAddress& merge : ws.merges()) {
    if (meet(merge, v.cells)) painter.fillRect(cell_rect(merge).adjusted(0, 0, -1, -1), Qt::white);
  }

  // The cells and shapes as the page renderer draws them, at the view's scale.
  const RangeAddress area = with_whole_merges(ws, v.cells);
  const render::SheetGeometry geometry(ws);
  const render::Rect area_box = geometry.cell_rect(area);
  render::PageSettings settings;
  settings.paper = {area_box.width, area_box.height};
  settings.left_margin = settings.right_margin = settings.top_margin = settings.bottom_margin = 0;
  settings.fit_to_one_page = false;
  settings.zoom = 1;
  settings.print_area = area;
  const render::DisplayList& shapes = shapes_drawing();
  std::vector<render::SheetDrawing> drawings;
  if (!shapes.empty()) {
    drawings.push_back([&shapes](render::DisplayList& sheet_space) {
      for (const render::Command& command : shapes.commands()) sheet_space.add(command);
    });
  }
  render::DisplayList content = render::render_page(ws, settings, drawings);
  content.set_background(std::nullopt);
  painter.save();
  painter.setClipRect(
      QRect(QPoint(kRowHeaderWidth, kColumnHeaderHeight), viewport()->rect().bottomRight()));
  painter.translate(kRowHeaderWidth, kColumnHeaderHeight);
  painter.scale(scale, scale);
  painter.translate(area_box.x - geometry.column_left(v.cells.first.column),
                    area_box.y - geometry.row_top(v.cells.first.row));
  paint_display_list(painter, content);
  painter.restore();

  // The selection.
  const sheet::Range selection = const_cast<sheet::Worksheet&>(ws).selection();
  const RangeAddress selected = selection.area();
  const QRect selected_rect = cell_rect(selected);
  painter.save();
  painter.setClipRect(
      QRect(QPoint(kRowHeaderWidth, kColumnHeaderHeight), viewport()->rect().bottomRight()));
  // Several cells are tinted; one cell, a merged area too, is only framed.
  const CellAddress active = active_cell();
  if (!(selected == ws.merge_area_of(active).value_or(cell_area(active)))) {
    painter.fillRect(selected_rect, kSelectionFill);
  }
  painter.setPen(QPen(kSelectionFrame, 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(selected_rect.adjusted(0, 0, -1, -1));
  painter.restore();

  // Headers over the cells.
  painter.setPen(Qt::NoPen);
  painter.fillRect(QRect(0, 0, viewport()->width(), kColumnHeaderHeight), kHeaderFill);
  painter.fillRect(QRect(0, 0, kRowHeaderWidth, viewport()->height()), kHeaderFill);
  QFont header_font = font();
  header_font.setPointSizeF(std::max(6.0, header_font.pointSizeF() * 0.9));
  painter.setFont(header_font);
  for (std::size_t i = 0; i + 1 < v.xs.size(); ++i) {
    const int column = v.cells.first.column + static_cast<int>(i);
    const QRect box(v.xs[i], 0, v.xs[i + 1] - v.xs[i], kColumnHeaderHeight);
    if (column >= selected.first.column && column <= selected.last.column) {
      painter.fillRect(box, kHeaderSelected);
    }
    painter.setPen(kGridLine);
    painter.drawLine(box.right(), 0, box.right(), kColumnHeaderHeight - 1);
    painter.setPen(kHeaderText);
    painter.drawText(box, Qt::AlignCenter, QString::fromStdString(sheet::column_letters(column)));
  }
  for (std::size_t i = 0; i + 1 < v.ys.size(); ++i) {
    const int row = v.cells.first.row + static_cast<int>(i);
    const QRect box(0, v.ys[i], kRowHeaderWidth, v.ys[i + 1] - v.ys[i]);
    if (row >= selected.first.row && row <= selected.last.row) {
      painter.fillRect(box, kHeaderSelected);
    }
    painter.setPen(kGridLine);
    painter.drawLine(0, box.bottom(), kRowHeaderWidth - 1, box.bottom());
    if (box.height() >= 8) {
      painter.setPen(kHeaderText);
      painter.drawText(box, Qt::AlignCenter, QString::number(row));
    }
  }
  painter.setPen(QColor(190, 190, 190));
  painter.drawLine(0, kColumnHeaderHeight - 1, viewport()->width(), kColumnHeaderHeight - 1);
  painter.drawLine(kRowHeaderWidth - 1, 0, kRowHeaderWidth - 1, viewport()->height());
}

void SheetView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  update_scroll_ranges();
  place_editor();
}

void SheetView::scrollContentsBy(int /*dx*/, int /*dy*/) {
  place_editor();
  viewport()->update();
}

bool SheetView::follow_link_at(QPoint point) {
  sheet::Worksheet& ws = sheet();
  // Pictures lie over the cells: the topmost linked shape under the point wins.
  const render::SheetGeometry geometry(ws);
  const double scale = pixels_per_point();
  const double sheet_x =
      (point.x() - kRowHeaderWidth) / scale + geometry.column_left(first_column());
  const double sheet_y = (point.y() - kColumnHeaderHeight) / scale + geometry.row_top(first_row());
  for (int i = ws.shapes().count(); i >= 1; --i) {
    const sheet::Shape& shape = ws.shapes().item(i);
    if (!shape.hyperlink) continue;
    if (sheet_x >= shape.left() && sheet_x <= shape.left() + shape.width() &&
        sheet_y >= shape.top() && sheet_y <= shape.top() + shape.height()) {
      emit link_activated(QString::fromStdString(shape.hyperlink->address));
      return true;
    }
  }
  if (auto cell = cell_at(point)) {
    if (const sheet::Hyperlink* link = ws.hyperlinks().find(*cell)) {
      select_cell(*cell);
      emit link_activated(QString::fromStdString(link->address));
      return true;
    }
  }
  return false;
}

void SheetView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (editing()) commit_edit();
  if (follow_link_at(event->position().toPoint())) return;
  if (auto cell = cell_at(event->position().toPoint())) {
    select_cell(*cell, event->modifiers() & Qt::ShiftModifier);
  }
}

void SheetView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  if (event->buttons() & Qt::LeftButton) {
    if (auto cell = cell_at(point)) select_cell(*cell, true);
    return;
  }
  // A pointing hand over what a click would follow.
  sheet::Worksheet& ws = sheet();
  bool over_link = false;
  if (auto cell = cell_at(point)) over_link = ws.hyperlinks().find(*cell) != nullptr;
  if (!over_link) {
    const render::SheetGeometry geometry(ws);
    const double scale = pixels_per_point();
    const double sx = (point.x() - kRowHeaderWidth) / scale + geometry.column_left(first_column());
    const double sy = (point.y() - kColumnHeaderHeight) / scale + geometry.row_top(first_row());
    for (int i = 1; i <= ws.shapes().count() && !over_link; ++i) {
      const sheet::Shape& shape = ws.shapes().item(i);
      over_link = shape.hyperlink && sx >= shape.left() && sx <= shape.left() + shape.width() &&
                  sy >= shape.top() && sy <= shape.top() + shape.height();
    }
  }
  viewport()->setCursor(over_link ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void SheetView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (auto cell = cell_at(event->position().toPoint())) {
    select_cell(*cell);
    begin_edit();
  }
}

bool SheetView::editing() const {
  // Not isVisible(): the editor stays open while the host hides its window.
  return !editor_->isHidden();
}

void SheetView::place_editor() {
  if (!editing()) return;
  const CellAddress cell = active_cell();
  const RangeAddress area = sheet().merge_area_of(cell).value_or(cell_area(cell));
  editor_->setGeometry(cell_rect(area).adjusted(1, 1, -1, -1));
}

void SheetView::begin_edit(const QString& initial, bool replace) {
  const CellAddress cell = active_cell();
  sheet::Worksheet& ws = sheet();
  const sheet::CellFormat& format = ws.effective_format(cell);
  QFont cell_font(installed_family(format.font.name));
  cell_font.setPointSizeF(format.font.size * zoom_);
  cell_font.setBold(format.font.bold);
  cell_font.setItalic(format.font.italic);
  editor_->setFont(cell_font);
  editor_->setText(replace ? initial
                           : QString::fromStdString(ws.cells(cell.row, cell.column).formula()));
  editor_->show();
  place_editor();
  editor_->setFocus();
  editor_->end(false);
}

void SheetView::write_cell(CellAddress cell, const std::string& formula) {
  sheet::Range range = sheet().cells(cell.row, cell.column);
  if (formula.empty()) {
    range.clear_contents();
  } else {
    range.set_formula(formula);
  }
}

void SheetView::commit_edit() {
  if (!editing()) return;
  const CellAddress cell = active_cell();
  const std::string text = editor_->text().toStdString();
  editor_->hide();
  setFocus();
  sheet::Worksheet& ws = sheet();
  const std::string old = ws.cells(cell.row, cell.column).formula();
  if (text == old) return;
  try {
    write_cell(cell, text);
  } catch (const HostError&) {
    // A formula the engine cannot read is kept as the text the user typed.
    ws.cells(cell.row, cell.column).set_value(text);
  }
  undo_.push_back({&ws, cell, old});
  shapes_cache_.reset();
  viewport()->update();
  emit cell_edited();
}

void SheetView::cancel_edit() {
  editor_->hide();
  setFocus();
}

bool SheetView::undo() {
  if (editing()) {
    cancel_edit();
    return true;
  }
  while (!undo_.empty()) {
    const Edit edit = undo_.back();
    undo_.pop_back();
    // An edit of a sheet that is no longer the one shown cannot be undone here.
    if (edit.sheet != &sheet()) continue;
    write_cell(edit.cell, edit.old_formula);
    select_cell(edit.cell);
    shapes_cache_.reset();
    viewport()->update();
    emit cell_edited();
    return true;
  }
  return false;
}

bool SheetView::eventFilter(QObject* watched, QEvent* event) {
  if (watched != editor_ || event->type() != QEvent::KeyPress) {
    return QAbstractScrollArea::eventFilter(watched, event);
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  const bool shift = key->modifiers() & Qt::ShiftModifier;
  // Handled here, never passed on: the line edit lets Enter through to its parent, which would
  // move once more.
  const auto commit_and_move = [&](int rows, int columns) {
    commit_edit();
    select_cell(next_cell(rows, columns));
    return true;
  };
  switch (key->key()) {
    case Qt::Key_Escape:
      cancel_edit();
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return commit_and_move(shift ? -1 : 1, 0);
    case Qt::Key_Tab:
      return commit_and_move(0, 1);
    case Qt::Key_Backtab:
      return commit_and_move(0, -1);
    case Qt::Key_Up:
      return commit_and_move(-1, 0);
    case Qt::Key_Down:
      return commit_and_move(1, 0);
    default:
      return false;
  }
}

bool SheetView::focusNextPrevChild(bool /*next*/) {
  // Tab moves the active cell, not the focus.
  return false;
}

void SheetView::keyPressEvent(QKeyEvent* event) {
  const CellAddress a = active_cell();
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  if (event->matches(QKeySequence::Undo)) {
    undo();
    return;
  }
  // Zoom by tenths as Ctrl with the wheel does; Ctrl+0 back to 100 %.
  if (event->matches(QKeySequence::ZoomIn) ||
      (event->modifiers() & Qt::ControlModifier && event->key() == Qt::Key_Equal)) {
    set_zoom(std::round((zoom_ + 0.1) * 10) / 10);
    return;
  }
  if (event->matches(QKeySequence::ZoomOut)) {
    set_zoom(std::round((zoom_ - 0.1) * 10) / 10);
    return;
  }
  if (event->modifiers() & Qt::ControlModifier) {
    switch (event->key()) {
      case Qt::Key_0:
        set_zoom(1.0);
        return;
      case Qt::Key_Home:  // the sheet's first cell
        select_cell({1, 1}, shift);
        return;
      case Qt::Key_End: {  // the last cell in use
        select_cell(sheet().used_range().area().last, shift);
        return;
      }
      default:
        break;
    }
  }
  // Shift with an arrow grows the selection from the active cell; a plain step moves it.
  const auto step = [&](int rows, int columns) {
    if (shift) {
      select_cell({a.row + rows, a.column + columns}, true);
    } else {
      select_cell(next_cell(rows, columns));
    }
  };
  switch (event->key()) {
    case Qt::Key_Up:
      step(-1, 0);
      return;
    case Qt::Key_Down:
      step(1, 0);
      return;
    case Qt::Key_Left:
      step(0, -1);
      return;
    case Qt::Key_Right:
      step(0, 1);
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      select_cell(next_cell(shift ? -1 : 1, 0));
      return;
    case Qt::Key_Tab:
      select_cell(next_cell(0, 1));
      return;
    case Qt::Key_Backtab:
      select_cell(next_cell(0, -1));
      return;
    case Qt::Key_PageDown:
      verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
      return;
    case Qt::Key_PageUp:
      verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
      return;
    case Qt::Key_F2:
      begin_edit();
      return;
    case Qt::Key_Delete: {
      const std::string old = sheet().cells(a.row, a.column).formula();
      if (old.empty()) return;
      write_cell(a, "");
      undo_.push_back({&sheet(), a, old});
      viewport()->update();
      emit cell_edited();
      return;
    }
    default:
      break;
  }
  const QString text = event->text();
  if (!text.isEmpty() && text.at(0).isPrint() &&
      !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    begin_edit(text, true);
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

void SheetView::wheelEvent(QWheelEvent* event) {
  if (event->modifiers() & Qt::ControlModifier) {
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0) set_zoom(std::round((zoom_ + 0.1 * steps) * 10) / 10);
    event->accept();
    return;
  }
  const int rows = -event->angleDelta().y() / 40;
  verticalScrollBar()->setValue(verticalScrollBar()->value() + rows);
  event->accept();
}

}  // namespace fb::ui::qt
