#pragma once

#include <optional>

namespace nv::document {

// Zoom In and Zoom Out step by 20 percent: in while the zoom is below 300,
// out while it is 50 or more. None where the command does nothing.
inline constexpr int kZoomStep = 20;
std::optional<int> ZoomedIn(int zoom);
std::optional<int> ZoomedOut(int zoom);

}  // namespace nv::document
