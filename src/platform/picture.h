#pragma once

#include <QImage>

#include <string>

namespace nv::platform {

// A raster picture that a canvas draws (Draw, StretchDraw) or fills with (a
// pattern brush). Copies share the pixels until one of them is changed.
class Picture {
 public:
  Picture() = default;
  explicit Picture(QImage image) : image_(std::move(image)) {}

  bool isEmpty() const { return image_.isNull(); }
  int width() const { return image_.width(); }
  int height() const { return image_.height(); }
  const QImage& image() const { return image_; }

  // The same pixels (not merely the same size).
  friend bool operator==(const Picture& a, const Picture& b) { return a.image_ == b.image_; }

 private:
  QImage image_;
};

// "picture WxH", or "no picture".
std::string toString(const Picture& p);

}  // namespace nv::platform
