#pragma once

#include <string>

namespace nv::platform {

// What a drawing device reports about itself (GDI's device capabilities).
// All lengths are device pixels. The page is the printable area, where the
// canvas's origin lies; the physical sheet is larger by the printer's
// unprintable margins, and the physical offset is the printable area's
// top-left corner on the sheet. Screens and images have no margins.
struct DeviceCaps {
  int dpiX = 96;
  int dpiY = 96;
  int pageWidth = 0;
  int pageHeight = 0;
  int physicalWidth = 0;
  int physicalHeight = 0;
  int physicalOffsetX = 0;
  int physicalOffsetY = 0;
  friend bool operator==(const DeviceCaps&, const DeviceCaps&) = default;
};

// A device of width x height pixels without margins.
inline DeviceCaps screenDeviceCaps(int width, int height, int dpiX = 96, int dpiY = 96) {
  return {dpiX, dpiY, width, height, width, height, 0, 0};
}

}  // namespace nv::platform
