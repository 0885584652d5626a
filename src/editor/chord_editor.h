#pragma once

#include <QImage>

#include <memory>

#include "editor/buffered_control.h"
#include "editor/chord_piece_model.h"

namespace nv::editor {

// The chord-name editor: paints the pieces, the selected one in red, and the
// caret as an XOR line while focused; hands it the mouse and the keys.
class TECChordEditor : public BufferedControl {
 public:
  explicit TECChordEditor(QWidget* parent = nullptr);
  ChordPieceModel& Model() { return model_; }
  platform::Color Color = 0xFFFFFF;
  platform::Font Font{"Arial", 8};

  // The font a piece is drawn and measured in.
  platform::Font PieceFont(const ChordPiece& piece) const;
  void PaintPieces(platform::Canvas& canvas, bool caret);

 protected:
  void PaintBuffer(platform::Canvas& canvas) override { PaintPieces(canvas, hasFocus()); }
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent*) override { update(); }
  void focusOutEvent(QFocusEvent*) override { update(); }
  bool focusNextPrevChild(bool) override { return false; }

 private:
  // Text is measured on a screen canvas of its own.
  QImage measureImage_;
  std::unique_ptr<platform::Canvas> measurer_;
  ChordPieceModel model_;
};

}  // namespace nv::editor
