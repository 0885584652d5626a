#include "platform/qt/qt_back_buffer.h"

#include "platform/qt/qt_picture.h"

namespace nv::platform {

Canvas& QtBackBuffer::begin(int width, int height) {
  canvas_.reset();
  if (image_.width() != width || image_.height() != height) image_ = QImage(width, height, QImage::Format_RGB32);
  canvas_ = std::make_unique<QtCanvas>(image_, imageDeviceCaps(image_, dpi_, dpi_));
  return *canvas_;
}

Picture QtBackBuffer::end() {
  canvas_.reset();
  return pictureFromImage(image_);
}

}  // namespace nv::platform
