#include "platform/qt/qt_raster_surface.h"

#include <QImage>

#include <new>

#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_raster_conversion.h"

namespace nv::platform {

namespace {

class QtRasterSurface : public RasterSurface {
 public:
  QtRasterSurface(int width, int height, int dpi) : image_(width, height, QImage::Format_RGB32) {
    if (image_.isNull()) throw std::bad_alloc();
    image_.fill(Qt::white);
    canvas_ = std::make_unique<QtCanvas>(image_, imageDeviceCaps(image_, dpi, dpi));
  }

  Canvas& canvas() override { return *canvas_; }

  RasterImage pixels() override {
    canvas_.reset();  // ends the painter before the pixels are read
    RasterImage result = rasterFromQImage(image_);
    image_ = QImage();
    return result;
  }

 private:
  QImage image_;
  std::unique_ptr<QtCanvas> canvas_;
};

}  // namespace

RasterSurfaceFactory qtRasterSurfaces() {
  return [](int width, int height, int dpi) -> std::unique_ptr<RasterSurface> {
    return std::make_unique<QtRasterSurface>(width, height, dpi);
  };
}

}  // namespace nv::platform
