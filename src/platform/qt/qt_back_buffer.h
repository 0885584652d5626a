#pragma once

#include <QImage>

#include <memory>

#include "platform/back_buffer.h"
#include "platform/qt/qt_canvas.h"

namespace nv::platform {

// A back buffer over an opaque 32-bit image at the given resolution.
class QtBackBuffer : public BackBuffer {
 public:
  explicit QtBackBuffer(int dpi = 96) : dpi_(dpi) {}
  Canvas& begin(int width, int height) override;
  Picture end() override;

 private:
  int dpi_;
  QImage image_;
  std::unique_ptr<QtCanvas> canvas_;
};

}  // namespace nv::platform
