#pragma once

#include <algorithm>
#include <cctype>
#include <string_view>

namespace nv::platform {

// Equality of names that the user or a file may write in any case (ASCII
// letters only; other bytes must match exactly).
inline bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace nv::platform
