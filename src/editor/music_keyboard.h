#pragma once

#include "editor/buffered_control.h"
#include "editor/keyboard_model.h"

namespace nv::editor {

// The on-screen piano: paints its model and hands it the mouse and the keys.
class TECMusicKeyboard : public BufferedControl {
 public:
  explicit TECMusicKeyboard(QWidget* parent = nullptr);
  KeyboardModel& Model() { return model_; }
  platform::Color Color = 0xFFFFFF;

 protected:
  void PaintBuffer(platform::Canvas& canvas) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool focusNextPrevChild(bool) override { return false; }  // the arrows belong to the piano

 private:
  KeyboardModel model_;
};

}  // namespace nv::editor
