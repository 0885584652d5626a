#pragma once

#include <functional>
#include <string>

#include "editor/buffered_control.h"
#include "editor/fretboard_model.h"

namespace nv::editor {

// The guitar neck: paints its model with the names its owner gives, and
// sets frets from clicks.
class TECGuitar : public BufferedControl {
 public:
  explicit TECGuitar(QWidget* parent = nullptr);
  FretboardModel& Model() { return model_; }
  platform::Color Color = 0x008080;
  platform::Font Font{"Arial", 0, -9};
  // The name for fret `fetch` of a string (-1 the open string); empty draws nothing.
  std::function<std::string(int fetch, int string)> OnGetNoteName;

  // Draws the board on any canvas (the control's buffer, tests).
  void PaintBoard(platform::Canvas& canvas);

 protected:
  void PaintBuffer(platform::Canvas& canvas) override { PaintBoard(canvas); }
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  FretboardModel model_;
};

}  // namespace nv::editor
