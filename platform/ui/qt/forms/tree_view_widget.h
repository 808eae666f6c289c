#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "platform/ui/qt/forms/model_view.h"
#include "platform/ui/tree_view.h"

class QLineEdit;
class QScrollBar;
class QTimer;

namespace fb::ui::qt {

// The tree view drawn from its model: one row per visible node in the model's row layout (rows of
// the model's height from the model's first visible row), dotted lines between parents and
// children, plus and minus boxes, the image list's pictures, the selection and the drop
// highlight. The user's input goes to the model: a press selects the row (either button; the
// box expands or collapses instead), a release raises the window's mouse-up handler, the
// keyboard moves the selection and opens or closes nodes, the wheel and the scroll bar scroll,
// and data dragged over or dropped on the tree (its plain text, or none for a file or a picture)
// raises the window's drag handlers while the model's drop mode takes drops (a drag leaving the
// tree is a last drag-over outside it, as the original control raised it). A label edit the model
// asks for opens a line editor over the node's text: Enter or leaving it confirms, Escape cancels.
// F2, or a second click on the text of the selected node, asks for one; the Delete key goes to the
// window's key handler.
class TreeViewWidget final : public QWidget, public ModelView {
 public:
  // Horizontal step of one level, in pixels.
  static constexpr int kIndent = 19;

  TreeViewWidget(TreeView& model, QWidget* parent);
  TreeViewWidget(const TreeViewWidget&) = delete;
  TreeViewWidget& operator=(const TreeViewWidget&) = delete;

  TreeView& model() const { return model_; }
  // Where a node's row and its text lie in the widget now; empty when the node is not in view.
  QRect row_rect(const TreeNode& node) const;
  QRect text_rect(const TreeNode& node) const;
  QRect expander_rect(const TreeNode& node) const;
  // The open label editor, or nullptr.
  QLineEdit* label_editor() const { return editor_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void sync();
  void sync_scroll_bar();
  void sync_label_editor();
  void finish_label_edit(bool confirm);
  int row_pixels() const;
  int depth(const TreeNode& node) const;
  // The node under a point of the widget, by the model's hit test.
  TreeNode* node_at(QPoint point) const;
  // Converts a point of the widget into the model's twips.
  QPoint model_point(QPoint point) const;
  void draw_row(QPainter& painter, const TreeNode& node, int row);
  bool handle_drag(QDropEvent* event, bool drop);

  TreeView& model_;
  QScrollBar* scroll_bar_;
  QTimer* label_click_;
  const TreeNode* label_click_node_ = nullptr;  // the second click's node, while it waits
  QLineEdit* editor_ = nullptr;
  const TreeNode* editing_ = nullptr;
  bool syncing_ = false;
  std::optional<std::string> dragged_text_;
};

}  // namespace fb::ui::qt
