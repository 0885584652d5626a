#include "document/zoom_steps.h"

#include <array>
#include <algorithm>
#include <charconv>

namespace nv::document {

namespace {

constexpr int kZoomInBelow = 300;
constexpr int kZoomOutFrom = 50;
constexpr std::array kMenuPercents = {20, 50, 75, 100, 125, 150, 200, 300};

}  // namespace

std::optional<int> ZoomedIn(int zoom) {
  if (zoom >= kZoomInBelow) return std::nullopt;
  return zoom + kZoomStep;
}

std::optional<int> ZoomedOut(int zoom) {
  if (zoom < kZoomOutFrom) return std::nullopt;
  return zoom - kZoomStep;
}

std::span<const int> ZoomMenuPercents() { return kMenuPercents; }

std::string ZoomMenuCaption(int percent) { return std::to_string(percent) + " %"; }

std::optional<int> ZoomFromCaption(std::string_view caption) {
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  const auto first = std::find_if(caption.begin(), caption.end(), digit);
  if (first == caption.end()) return std::nullopt;
  int percent = 0;
  const char* begin = caption.data() + (first - caption.begin());
  const auto [end, error] = std::from_chars(begin, caption.data() + caption.size(), percent);
  if (error != std::errc{}) return std::nullopt;
  return percent;
}

}  // namespace nv::document
