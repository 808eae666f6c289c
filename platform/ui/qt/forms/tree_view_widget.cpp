#include "platform/ui/qt/forms/tree_view_widget.h"

#include <QApplication>
#include <QDragLeaveEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/qt/forms/model_to_qt.h"

namespace fb::ui::qt {
namespace {

// The frame around the rows, in pixels.
constexpr int kBorder = 1;
// Rows the wheel scrolls by one notch.
constexpr int kWheelRows = 3;
// VB's mouse button codes.
constexpr int kVbLeft = 1;
constexpr int kVbRight = 2;
constexpr int kVbMiddle = 4;

int VbButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return kVbLeft;
    case Qt::RightButton:
      return kVbRight;
    case Qt::MiddleButton:
      return kVbMiddle;
    default:
      return 0;
  }
}

// The shift state as the original runtime passed it with a key: 1 shift, 2 control, 4 alt.
int VbShift(Qt::KeyboardModifiers modifiers) {
  return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
         (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
         (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

std::vector<TreeNode*> Siblings(const TreeNode& node) {
  return node.parent() != nullptr ? node.parent()->children() : node.tree_view().roots();
}

bool HasNextSibling(const TreeNode& node) {
  const std::vector<TreeNode*> siblings = Siblings(node);
  return !siblings.empty() && siblings.back() != &node;
}

bool HasPreviousSibling(const TreeNode& node) {
  const std::vector<TreeNode*> siblings = Siblings(node);
  return !siblings.empty() && siblings.front() != &node;
}

}  // namespace

TreeViewWidget::TreeViewWidget(TreeView& model, QWidget* parent)
    : QWidget(parent),
      ModelView(model, [this] { sync(); }),
      model_(model),
      scroll_bar_(new QScrollBar(Qt::Vertical, this)),
      label_click_(new QTimer(this)) {
  setObjectName(QString::fromStdString(model.name()));
  label_click_->setSingleShot(true);
  QObject::connect(label_click_, &QTimer::timeout, this, [this] {
    // Only if the click's node is still the one selected and nothing else edits it.
    if (label_click_node_ != nullptr && label_click_node_ == model_.selected() &&
        editor_ == nullptr) {
      model_.start_label_edit();
    }
    label_click_node_ = nullptr;
  });
  setFocusPolicy(Qt::StrongFocus);
  setAcceptDrops(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  scroll_bar_->hide();
  QObject::connect(scroll_bar_, &QScrollBar::valueChanged, this, [this](int row) {
    if (!syncing_) model_.set_first_visible_row(row);
  });
  sync();
}

void TreeViewWidget::sync() {
  sync_control(*this, model_);
  sync_scroll_bar();
  sync_label_editor();
  update();
}

void TreeViewWidget::resizeEvent(QResizeEvent* event) {
  sync_scroll_bar();
  QWidget::resizeEvent(event);
}

void TreeViewWidget::sync_scroll_bar() {
  syncing_ = true;
  const int rows = static_cast<int>(model_.visible_nodes().size());
  const int page = model_.rows_per_page();
  const int width = scroll_bar_->sizeHint().width();
  scroll_bar_->setGeometry(this->width() - kBorder - width, kBorder, width, height() - 2 * kBorder);
  scroll_bar_->setRange(0, std::max(0, rows - page));
  scroll_bar_->setPageStep(page);
  scroll_bar_->setValue(model_.first_visible_row());
  scroll_bar_->setVisible(rows > page);
  syncing_ = false;
}

int TreeViewWidget::row_pixels() const {
  return std::max(1, to_pixels(model_.row_height()));
}

int TreeViewWidget::depth(const TreeNode& node) const {
  int level = 0;
  for (const TreeNode* up = node.parent(); up != nullptr; up = up->parent()) ++level;
  return level;
}

QPoint TreeViewWidget::model_point(QPoint point) const {
  return to_twips(point - QPoint(kBorder, kBorder));
}

TreeNode* TreeViewWidget::node_at(QPoint point) const {
  const QPoint twips = model_point(point);
  return model_.hit_test(twips.x(), twips.y());
}

QRect TreeViewWidget::row_rect(const TreeNode& node) const {
  const std::vector<TreeNode*> rows = model_.visible_nodes();
  const auto found = std::find(rows.begin(), rows.end(), &node);
  if (found == rows.end()) return {};
  const int row = static_cast<int>(found - rows.begin()) - model_.first_visible_row();
  if (row < 0 || row >= model_.rows_per_page() + 1) return {};
  const int right = scroll_bar_->isVisible() ? scroll_bar_->x() : width() - kBorder;
  return {kBorder, kBorder + row * row_pixels(), right - kBorder, row_pixels()};
}

QRect TreeViewWidget::expander_rect(const TreeNode& node) const {
  const QRect row = row_rect(node);
  if (row.isEmpty()) return {};
  const int centre_x = row.left() + 2 + depth(node) * kIndent + kIndent / 2;
  return {centre_x - 4, row.center().y() - 4, 9, 9};
}

QRect TreeViewWidget::text_rect(const TreeNode& node) const {
  const QRect row = row_rect(node);
  if (row.isEmpty()) return {};
  int left = row.left() + 2 + (depth(node) + 1) * kIndent;
  if (model_.image_list() != nullptr) left += model_.image_list()->image_width() + 3;
  const int text_width = fontMetrics().horizontalAdvance(QString::fromStdString(node.text())) + 6;
  return {left, row.top() + 1, text_width, row.height() - 2};
}

void TreeViewWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), model_.enabled() ? palette().color(QPalette::Base)
                                            : palette().color(QPalette::Window));
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.setClipRect(rect().adjusted(kBorder, kBorder, -kBorder, -kBorder));
  const std::vector<TreeNode*> rows = model_.visible_nodes();
  const int first = model_.first_visible_row();
  const int last = std::min(static_cast<int>(rows.size()), first + model_.rows_per_page() + 1);
  for (int row = first; row < last; ++row)
    draw_row(painter, *rows[static_cast<std::size_t>(row)], row - first);
}

void TreeViewWidget::draw_row(QPainter& painter, const TreeNode& node, int row) {
  const int top = kBorder + row * row_pixels();
  const int middle = top + row_pixels() / 2;
  const int bottom = top + row_pixels();
  const int level = depth(node);
  auto column = [](int at_level) { return kBorder + 2 + at_level * kIndent + kIndent / 2; };

  // The lines: a column for each ancestor that has a later sibling, then the node's own joint.
  QPen dotted(QColor(150, 150, 150), 1, Qt::DotLine);
  painter.setPen(dotted);
  std::vector<const TreeNode*> chain;
  for (const TreeNode* up = &node; up != nullptr; up = up->parent()) chain.push_back(up);
  std::reverse(chain.begin(), chain.end());
  for (int k = 0; k < level; ++k) {
    if (HasNextSibling(*chain[static_cast<std::size_t>(k)])) {
      painter.drawLine(column(k), top, column(k), bottom);
    }
  }
  const int own = column(level);
  if (node.parent() != nullptr || HasPreviousSibling(node)) painter.drawLine(own, top, own, middle);
  if (HasNextSibling(node)) painter.drawLine(own, middle, own, bottom);
  painter.drawLine(own, middle, own + kIndent / 2 + 2, middle);

  if (node.child_count() > 0) {
    const QRect box(own - 4, middle - 4, 8, 8);
    painter.setPen(QColor(120, 120, 120));
    painter.setBrush(Qt::white);
    painter.drawRect(box);
    painter.setPen(Qt::black);
    painter.drawLine(box.left() + 2, middle, box.right() - 2, middle);
    if (!node.expanded()) painter.drawLine(own, box.top() + 2, own, box.bottom() - 2);
    painter.setBrush(Qt::NoBrush);
  }

  int left = kBorder + 2 + (level + 1) * kIndent;
  if (const ImageList* images = model_.image_list()) {
    if (node.image() >= 1 && node.image() <= images->count()) {
      const QImage picture = to_qimage(images->image(node.image()));
      painter.drawImage(left, top + (row_pixels() - picture.height()) / 2, picture);
    }
    left += images->image_width() + 3;
  }

  const QString text = QString::fromStdString(node.text());
  const QRect text_box(left, top + 1, fontMetrics().horizontalAdvance(text) + 6, row_pixels() - 2);
  const TreeNode* highlighted =
      model_.drop_highlight() != nullptr ? model_.drop_highlight() : model_.selected();
  QColor text_colour =
      palette().color(model_.enabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text);
  if (&node == highlighted) {
    const bool strong = hasFocus() || model_.drop_highlight() != nullptr;
    painter.fillRect(text_box, strong ? palette().color(QPalette::Active, QPalette::Highlight)
                                      : palette().color(QPalette::Window).darker(115));
    if (strong) text_colour = palette().color(QPalette::Active, QPalette::HighlightedText);
  }
  if (&node == model_.selected() && hasFocus() && model_.drop_highlight() == nullptr) {
    QPen focus(palette().color(QPalette::HighlightedText), 1, Qt::DotLine);
    painter.setPen(focus);
    painter.drawRect(text_box.adjusted(0, 0, -1, -1));
  }
  painter.setPen(text_colour);
  painter.drawText(text_box, Qt::AlignCenter, text);
}

void TreeViewWidget::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  TreeNode* node = node_at(event->position().toPoint());
  if (node == nullptr) return;
  const QPoint point = event->position().toPoint();
  if (event->button() == Qt::LeftButton && node->child_count() > 0 &&
      expander_rect(*node).adjusted(-3, -3, 3, 3).contains(point)) {
    node->set_expanded(!node->expanded());
    return;
  }
  // A second click on the text of the node already selected edits it, once the time for a
  // double click has passed without one (a double click opens or closes the node instead).
  label_click_node_ = nullptr;
  if (event->button() == Qt::LeftButton && node == model_.selected() &&
      text_rect(*node).contains(point)) {
    label_click_node_ = node;
    label_click_->start(QApplication::doubleClickInterval());
  }
  // Either button selects the row it presses, so the right button's command acts on the node
  // under the pointer.
  if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
    model_.select(node);
  }
}

void TreeViewWidget::mouseReleaseEvent(QMouseEvent* event) {
  const int button = VbButton(event->button());
  if (button == 0) return;
  const QPoint twips = model_point(event->position().toPoint());
  model_.MouseUp(button, twips.x(), twips.y());
}

void TreeViewWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  label_click_node_ = nullptr;
  TreeNode* node = node_at(event->position().toPoint());
  if (event->button() != Qt::LeftButton || node == nullptr) return;
  if (node->child_count() > 0 &&
      !expander_rect(*node).adjusted(-3, -3, 3, 3).contains(event->position().toPoint())) {
    node->set_expanded(!node->expanded());
  }
}

void TreeViewWidget::wheelEvent(QWheelEvent* event) {
  const int notches = event->angleDelta().y() / 120;
  if (notches == 0) return;
  model_.set_first_visible_row(model_.first_visible_row() - notches * kWheelRows);
  event->accept();
}

void TreeViewWidget::keyPressEvent(QKeyEvent* event) {
  const std::vector<TreeNode*> rows = model_.visible_nodes();
  if (rows.empty()) return QWidget::keyPressEvent(event);
  TreeNode* selected = model_.selected();
  const auto at = std::find(rows.begin(), rows.end(), selected);
  const int index = at == rows.end() ? -1 : static_cast<int>(at - rows.begin());
  const int last = static_cast<int>(rows.size()) - 1;
  TreeNode* next = nullptr;
  switch (event->key()) {
    case Qt::Key_Up:
      next = rows[static_cast<std::size_t>(std::max(0, index - 1))];
      break;
    case Qt::Key_Down:
      next = rows[static_cast<std::size_t>(std::min(last, index + 1))];
      break;
    case Qt::Key_Home:
      next = rows.front();
      break;
    case Qt::Key_End:
      next = rows.back();
      break;
    case Qt::Key_Left:
      if (selected == nullptr) break;
      if (selected->expanded() && selected->child_count() > 0) {
        selected->set_expanded(false);
      } else {
        next = selected->parent();
      }
      break;
    case Qt::Key_Right:
      if (selected == nullptr || selected->child_count() == 0) break;
      if (!selected->expanded()) {
        selected->set_expanded(true);
      } else {
        next = selected->children().front();
      }
      break;
    case Qt::Key_F2:
      model_.start_label_edit();
      break;
    case Qt::Key_Delete:
      model_.KeyDown(TreeView::kKeyDelete, VbShift(event->modifiers()));
      return;
    default:
      return QWidget::keyPressEvent(event);
  }
  if (next != nullptr) {
    model_.select(next);
    model_.ensure_visible(*next);
  }
}

bool TreeViewWidget::handle_drag(QDropEvent* event, bool drop) {
  const QMimeData* mime = event->mimeData();
  if (mime == nullptr) {
    event->ignore();
    return false;
  }
  // Data without plain text (a file, a picture) is dragged too, with no text: the window's
  // handlers decide what it becomes.
  const std::optional<std::string> text =
      mime->hasText() ? std::optional<std::string>(mime->text().toStdString()) : std::nullopt;
  dragged_text_ = text;
  const QPoint twips = model_point(event->position().toPoint());
  const bool raised =
      drop ? model_.Drop(text, twips.x(), twips.y()) : model_.DragOver(text, twips.x(), twips.y());
  // The handler turns the drop mode off over a node that takes no more causes.
  if (raised && (drop || model_.ole_drop_mode() == OleDropMode::kManual)) {
    // A copy: the dragged text stays where it came from.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
  }
  event->ignore();
  return false;
}

void TreeViewWidget::dragEnterEvent(QDragEnterEvent* event) {
  // Entering is the first drag-over; a refused entry ends the tree's part in this drag.
  handle_drag(event, false);
}

void TreeViewWidget::dragMoveEvent(QDragMoveEvent* event) {
  handle_drag(event, false);
}

void TreeViewWidget::dragLeaveEvent(QDragLeaveEvent* event) {
  model_.DragOver(dragged_text_, -1, -1);
  dragged_text_.reset();
  event->accept();
}

void TreeViewWidget::dropEvent(QDropEvent* event) {
  handle_drag(event, true);
  dragged_text_.reset();
}

void TreeViewWidget::sync_label_editor() {
  TreeNode* node = model_.label_edit_node();
  if (node == nullptr) {
    if (editor_ != nullptr) {
      QLineEdit* closing = editor_;
      editor_ = nullptr;
      editing_ = nullptr;
      closing->deleteLater();
    }
    return;
  }
  bool opened = false;
  if (editor_ == nullptr) {
    editor_ = new QLineEdit(this);
    editor_->setObjectName("LabelEdit");
    editor_->installEventFilter(this);
    opened = true;
  }
  if (editing_ != node) {
    editing_ = node;
    editor_->setText(QString::fromStdString(node->text()));
    editor_->selectAll();
    // Scrolling to the node changes the model, which comes back here with the editor open.
    model_.ensure_visible(*node);
  }
  QRect place = text_rect(*node);
  place.setWidth(std::max(place.width() + 24, 160));
  place.setRight(std::min(place.right(), width() - kBorder - 1));
  editor_->setGeometry(place);
  if (opened) {
    editor_->show();
    editor_->setFocus(Qt::OtherFocusReason);
  }
}

void TreeViewWidget::finish_label_edit(bool confirm) {
  if (editor_ == nullptr) return;
  QLineEdit* closing = editor_;
  editor_ = nullptr;
  editing_ = nullptr;
  const std::string text = closing->text().toStdString();
  closing->removeEventFilter(this);
  closing->deleteLater();
  setFocus(Qt::OtherFocusReason);
  model_.end_label_edit(confirm ? std::optional<std::string>(text) : std::nullopt);
}

bool TreeViewWidget::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  // A cause too long for the tree's width shows its whole text where the pointer rests on it.
  const auto* help = static_cast<QHelpEvent*>(event);
  const TreeNode* node = node_at(help->pos());
  const int visible_right = scroll_bar_->isVisible() ? scroll_bar_->x() : width() - kBorder;
  if (node != nullptr && text_rect(*node).right() > visible_right) {
    QToolTip::showText(help->globalPos(), QString::fromStdString(node->text()), this);
  } else {
    QToolTip::hideText();
    event->ignore();
  }
  return true;
}

bool TreeViewWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched != editor_) return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      finish_label_edit(true);
      return true;
    }
    if (key == Qt::Key_Escape) {
      finish_label_edit(false);
      return true;
    }
  } else if (event->type() == QEvent::FocusOut) {
    finish_label_edit(true);
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace fb::ui::qt
