#include "editor/buffered_control.h"

#include <QPaintEvent>

#include "platform/qt/qt_canvas.h"

namespace nv::editor {

BufferedControl::BufferedControl(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void BufferedControl::paintEvent(QPaintEvent*) {
  if (width() <= 0 || height() <= 0) return;
  PaintBuffer(buffer_.begin(width(), height()));
  const platform::Picture picture = buffer_.end();
  platform::QtCanvas screen(*this, platform::screenDeviceCaps(width(), height()));
  screen.draw(0, 0, picture);
}

}  // namespace nv::editor
