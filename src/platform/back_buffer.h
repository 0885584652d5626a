#pragma once

#include "platform/canvas.h"
#include "platform/picture.h"

namespace nv::platform {

// An off-screen surface that a window paints into and then copies to the
// screen in one step; kept between paints while its size stays.
class BackBuffer {
 public:
  virtual ~BackBuffer() = default;
  // A canvas over width × height pixels at the screen's resolution.
  virtual Canvas& begin(int width, int height) = 0;
  // Ends drawing; the picture shows the buffer (valid until the next begin).
  virtual Picture end() = 0;
};

}  // namespace nv::platform
