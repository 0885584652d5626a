#pragma once

#include <functional>
#include <optional>

#include "editor/row_pane.h"
#include "editor/sequence_layout.h"

namespace nv::editor {

// The piano roll of the score's active row: a keyboard at the left, one
// band a semitone, each note's notated bar over its performed one. It
// edits the performed lengths and play offsets of the selected notes and,
// given a note length, reports insertion clicks.
class TECMusicSequence : public RowPane {
 public:
  TECMusicSequence(nv::document::ScoreDocument& document, QWidget* parent = nullptr, int noteHeight = 12,
                   int panelWidth = 12);

  const SequenceLayout& Layout() const { return layout_; }
  // Ticks of the notes an insertion click places; 0 or less ends insertion.
  void SetInsertLength(int ticks);
  std::function<void(int measure, int position, int key)> OnSequenceNote;

  void IncSize();
  void DecSize();
  void ShiftRight();
  void ShiftLeft();

 protected:
  int Lay() override { return layout_.Lay(MutableItems()); }
  int ContentHeight() const override { return layout_.ContentHeight(); }
  int PanelWidth() const override { return layout_.KeyboardWidth(); }
  void PaintArea(QPainter& painter, const QRect& area) override;
  int HitTest(const QPoint& content) const override { return layout_.HitTest(Items(), content.x(), content.y()); }
  int VerticalMargin() const override { return layout_.RowHeight(); }
  void ItemClicked(int item, const QPoint& content, Qt::KeyboardModifiers modifiers) override;
  void EmptyClicked(const QPoint& content) override;
  bool PaneKey(QKeyEvent& event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void PaintKeyboard(QPainter& painter, const QRect& area);
  void PaintGrid(QPainter& painter, const QRect& area);
  void PaintMeasures(QPainter& painter, const QRect& area);
  void PaintItems(QPainter& painter, const QRect& area);
  void Edit(int change);
  QRect MarkerRect() const;

  SequenceLayout layout_;
  int insertLength_ = 0;
  std::optional<QPoint> marker_;
};

}  // namespace nv::editor
