#include "platform/font_faces.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/text_case.h"

namespace nv::platform {

namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kSubstitutes = {{
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Time New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"MS Sans Serif", "Liberation Sans"},
}};

}  // namespace

bool isMusicFace(std::string_view face) { return SameTextIgnoringCase(face, kMusicFace); }

std::string substituteFace(std::string_view face) {
  for (const auto& [name, substitute] : kSubstitutes) {
    if (SameTextIgnoringCase(face, name)) return std::string(substitute);
  }
  return std::string(face);
}

}  // namespace nv::platform
