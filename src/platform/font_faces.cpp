#include "platform/font_faces.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace nv::platform {

namespace {

bool sameFace(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kSubstitutes = {{
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Time New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"MS Sans Serif", "Liberation Sans"},
}};

}  // namespace

bool isMusicFace(std::string_view face) { return sameFace(face, kMusicFace); }

std::string substituteFace(std::string_view face) {
  for (const auto& [name, substitute] : kSubstitutes) {
    if (sameFace(face, name)) return std::string(substitute);
  }
  return std::string(face);
}

}  // namespace nv::platform
