#pragma once

#include <QImage>
#include <QScrollBar>
#include <QWidget>

#include "document/notice.h"
#include "editor/row_items.h"

namespace nv::document {
class ScoreDocument;
}

namespace nv::editor {

// What the piano roll and the velocity view share: the items of the active
// row, refilled from the document's notices; two scroll bars; painting of
// what is visible into a back buffer the size of the area painted, copied
// in one step; scrolling that moves the pixels and repaints the uncovered
// strip; the clicks and keys that choose items and move the score's cursor.
class RowPane : public QWidget {
 public:
  RowPane(nv::document::ScoreDocument& document, ItemOrder order, QWidget* parent);

  const RowItems& Items() const { return items_; }
  QScrollBar& HorizontalBar() { return horizontal_; }
  QScrollBar& VerticalBar() { return vertical_; }
  const QScrollBar& HorizontalBar() const { return horizontal_; }
  const QScrollBar& VerticalBar() const { return vertical_; }
  // The client area the content shows in (without the scroll bars).
  QRect Viewport() const;

  // Refills from the score's active row and takes over its selection.
  void Refill();
  void FollowScoreSelection();
  void FollowScoreCursor();

  // Paints `area` (client pixels, within the viewport) into `target` at
  // the same place.
  void Render(QImage& target, const QRect& area);
  // Scrolls the content by dx, dy pixels through the scroll bars; returns
  // the client strip left to repaint.
  QRect ScrollBy(int dx, int dy);

 protected:
  // Lays out the items; returns the content width.
  virtual int Lay() = 0;
  virtual int ContentHeight() const = 0;
  // Width of the panel at the left that scrolls only vertically.
  virtual int PanelWidth() const = 0;
  // Paints the client area `area`; the painter is clipped to it.
  virtual void PaintArea(QPainter& painter, const QRect& area) = 0;
  virtual int HitTest(const QPoint& content) const = 0;
  // Pixels kept above and below an item scrolled into view.
  virtual int VerticalMargin() const { return 0; }
  // A click on an item with the modifiers, after it became active.
  virtual void ItemClicked(int, const QPoint&, Qt::KeyboardModifiers) {}
  virtual void EmptyClicked(const QPoint&) {}
  // Keys the pane takes before the common ones; true when taken.
  virtual bool PaneKey(QKeyEvent&) { return false; }

  nv::document::ScoreDocument& Document() { return document_; }
  RowItems& MutableItems() { return items_; }
  QPoint ToContent(const QPoint& client) const;
  QRect ToClient(const PaneRect& content) const;
  // True while the pane changes the score itself.
  bool Busy() const { return busy_; }
  void Relayout();
  void RepaintItem(int item);

  // Makes the item active (and the only selected one unless `keep`), moves
  // the score's cursor to it and scrolls it into view.
  void Activate(int item, bool onlySelected);
  void ScrollIntoView(const PaneRect& content);
  // A click on an item: plain makes it the active and only selected one,
  // Shift also selects every item from the previous active one, Ctrl adds
  // it and keeps the previous one selected.
  void ChooseItem(int item, Qt::KeyboardModifiers modifiers);

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool focusNextPrevChild(bool) override { return false; }

 private:
  void Subscribe();
  void PlaceBars();
  void BarMoved();
  void Select(int item, bool onlySelected);
  // The nearest item left (-1) or right (+1) of the active one.
  int Neighbour(int direction) const;

  nv::document::ScoreDocument& document_;
  RowItems items_;
  QScrollBar horizontal_;
  QScrollBar vertical_;
  QImage buffer_;
  QPoint scrolled_;
  int width_ = 0;
  bool busy_ = false;
  std::vector<nv::document::Subscription> subscriptions_;
};

}  // namespace nv::editor
