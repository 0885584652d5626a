#include "document/zoom_steps.h"

namespace nv::document {

namespace {

constexpr int kZoomInBelow = 300;
constexpr int kZoomOutFrom = 50;

}  // namespace

std::optional<int> ZoomedIn(int zoom) {
  if (zoom >= kZoomInBelow) return std::nullopt;
  return zoom + kZoomStep;
}

std::optional<int> ZoomedOut(int zoom) {
  if (zoom < kZoomOutFrom) return std::nullopt;
  return zoom - kZoomStep;
}

}  // namespace nv::document
