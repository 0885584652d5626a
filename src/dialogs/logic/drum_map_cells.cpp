#include "dialogs/logic/drum_map_cells.h"

#include <algorithm>

#include "platform/ini_file.h"

namespace nv::dialogs::drum_map {
namespace {

constexpr int kTopLine = 68;
constexpr int kBottomLine = 60;
constexpr int kButtonPitch = 27;

}  // namespace

int CellNumber(std::string_view text, int fallback) {
  return nv::platform::ParseIniInteger(text).value_or(fallback);
}

std::string ToggledUse(std::string_view text) { return text == "1" ? "0" : "1"; }

bool NameAcceptsChar(char c) { return c != ',' && c != '\n' && c != '\r'; }

PosPicture PosPictureOf(int position) {
  PosPicture picture;
  for (int i = 0; i < 5; ++i) picture.lines[static_cast<std::size_t>(i)] = {3 + 4 * i, 1, 15};
  int head = std::clamp(position, 56, 74);
  auto shorten = [&picture](int line) { picture.lines[static_cast<std::size_t>(line)] = {3 + 4 * line, 4, 12}; };
  if (head > kTopLine) {
    const int ledgers = (head - (kTopLine - 1)) / 2;
    for (int i = 0; i < ledgers; ++i) shorten(i);
    head = head % 2 == 0 ? kTopLine : kTopLine - 1;
  } else if (head < kBottomLine) {
    const int ledgers = (kBottomLine + 1 - head) / 2;
    for (int i = 0; i < ledgers; ++i) shorten(4 - i);
    head = head % 2 == 0 ? kBottomLine : kBottomLine + 1;
  }
  picture.headY = 139 - 2 * head;
  return picture;
}

std::array<std::array<int, 2>, 6> CheckMarkOf(int left, int right, int top) {
  const int x = (left + right - 8) / 2;
  const int y = top + 12;
  return {{{x, y}, {x, y + 1}, {x + 2, y + 3}, {x + 7, y - 2}, {x + 7, y - 3}, {x + 2, y + 2}}};
}

PaletteLayout PaletteLayoutOf(int styleCount, bool withStandard) {
  PaletteLayout layout;
  const bool wide = styleCount > 39;
  layout.columns = wide ? 8 : 4;
  layout.width = wide ? 224 : 120;
  const int firstRow = withStandard ? 1 : 0;
  for (int i = 0; i < styleCount; ++i)
    layout.styleCells.push_back({(i % layout.columns) * kButtonPitch, (firstRow + i / layout.columns) * kButtonPitch});
  const int rows = firstRow + (styleCount + layout.columns - 1) / layout.columns;
  const int below = rows * kButtonPitch;
  if (below >= 41 && below <= 399) layout.height = below + 28;
  return layout;
}

}  // namespace nv::dialogs::drum_map
