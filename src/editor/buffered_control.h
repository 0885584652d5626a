#pragma once

#include <QWidget>

#include "platform/canvas.h"
#include "platform/qt/qt_back_buffer.h"

namespace nv::editor {

// A control that paints its whole client area into a back buffer and copies
// it to the screen in one step, so nothing is erased beneath it.
class BufferedControl : public QWidget {
 public:
  explicit BufferedControl(QWidget* parent = nullptr);

 protected:
  // Draws the client area; the buffer is width() × height().
  virtual void PaintBuffer(platform::Canvas& canvas) = 0;
  void paintEvent(QPaintEvent* event) override;

 private:
  platform::QtBackBuffer buffer_;
};

}  // namespace nv::editor
