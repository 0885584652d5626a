#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace nv::document {

// Zoom In and Zoom Out step by 20 percent: in while the zoom is below 300,
// out while it is 50 or more. None where the command does nothing.
inline constexpr int kZoomStep = 20;
std::optional<int> ZoomedIn(int zoom);
std::optional<int> ZoomedOut(int zoom);

// Actual size.
inline constexpr int kActualSize = 100;

// The zoom menu's items, in percent, from 20 to 300.
std::span<const int> ZoomMenuPercents();
// An item's caption: "150 %".
std::string ZoomMenuCaption(int percent);
// The zoom an item's caption names, translated or not: its first number;
// none when it holds no number.
std::optional<int> ZoomFromCaption(std::string_view caption);

}  // namespace nv::document
