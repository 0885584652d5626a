#include "dialogs/logic/library_layout.h"

#include <algorithm>
#include <numeric>

#include "platform/unicode_case.h"

namespace nv::dialogs {

using nv::platform::Point;
using nv::platform::Rect;
using nv::platform::Size;

const StripSpec& StripSpecOf(LibraryStripKind kind) {
  static const StripSpec chords{{57, 18}, {4, 23, 42}, 58};
  static const StripSpec symbols{{26, 26}, {5, 32}, 27};
  static const StripSpec terms{{100, 18}, {4, 23, 42}, 103};
  switch (kind) {
    case LibraryStripKind::Chords: return chords;
    case LibraryStripKind::Symbols: return symbols;
    case LibraryStripKind::Terms: break;
  }
  return terms;
}

int StripLimit(LibraryStripKind kind, int screenWidth, int pageWidth) {
  switch (kind) {
    case LibraryStripKind::Chords: return screenWidth - 120;
    case LibraryStripKind::Symbols: return screenWidth - 60;
    case LibraryStripKind::Terms: break;
  }
  return pageWidth - 116;
}

StripLayout LayOutStrip(LibraryStripKind kind, int startX, int limit, int count) {
  const StripSpec& spec = StripSpecOf(kind);
  const int perColumn = static_cast<int>(spec.Rows.size());
  StripLayout layout;
  int x = startX;
  for (int i = 0; i < count && x < limit; ++i) {
    const int row = i % perColumn;
    const int y = spec.Rows[static_cast<std::size_t>(row)];
    layout.Buttons.push_back({x, y, x + spec.Button.width, y + spec.Button.height});
    if (row == perColumn - 1) x += spec.ColumnStep;
  }
  // A partly filled last column still takes its place.
  const bool partColumn = layout.Buttons.size() % static_cast<std::size_t>(perColumn) != 0;
  layout.NextColumnX = partColumn ? x + spec.ColumnStep : x;
  return layout;
}

namespace {

struct DropDownSpec {
  int FewColumns, ManyColumns;
  int ManyAbove;  // more templates than this take the many columns
  int FewWidth, ManyWidth;
  Size Button;
  int ColumnStep, Left, RowStep;
  bool ByFirstLetter;  // terms: letters mark the rows, no heading line
};

const DropDownSpec& DropDownSpecOf(LibraryStripKind kind) {
  static const DropDownSpec chords{5, 8, 39, 326, 500, {57, 18}, 58, 0, 19, false};
  static const DropDownSpec symbols{10, 15, 39, 310, 440, {26, 26}, 27, 0, 27, false};
  static const DropDownSpec terms{3, 6, 9, 378, 678, {100, 18}, 103, 12, 19, true};
  switch (kind) {
    case LibraryStripKind::Chords: return chords;
    case LibraryStripKind::Symbols: return symbols;
    case LibraryStripKind::Terms: break;
  }
  return terms;
}

constexpr int kHeadingHeight = 16;
constexpr int kHeadingX = 8;

// The first character of a name, whole when it is a UTF-8 sequence.
std::string FirstLetter(const std::string& upper) {
  if (upper.empty()) return {};
  std::size_t length = 1;
  const auto lead = static_cast<unsigned char>(upper[0]);
  if (lead >= 0xF0) length = 4;
  else if (lead >= 0xE0) length = 3;
  else if (lead >= 0xC0) length = 2;
  return upper.substr(0, std::min(length, upper.size()));
}

int PaletteHeight(LibraryStripKind kind, int content, int formHeight) {
  switch (kind) {
    case LibraryStripKind::Chords: return content > 40 ? content + 28 : formHeight;
    case LibraryStripKind::Symbols: return content > 40 && content < 400 ? content + 28 : formHeight;
    case LibraryStripKind::Terms: break;
  }
  return content > 40 && content < 500 ? content + 28 : 500;
}

}  // namespace

DropDownLayout LayOutDropDown(LibraryStripKind kind, const std::vector<std::string>& keys, int formHeight) {
  const DropDownSpec& spec = DropDownSpecOf(kind);
  const int count = static_cast<int>(keys.size());
  DropDownLayout layout;
  const bool many = count > spec.ManyAbove;
  layout.Columns = many ? spec.ManyColumns : spec.FewColumns;
  layout.Width = many ? spec.ManyWidth : spec.FewWidth;

  std::vector<std::string> sortKeys;
  sortKeys.reserve(keys.size());
  for (const std::string& key : keys) sortKeys.push_back(nv::platform::UpperCaseText(key));
  std::vector<int> order(keys.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return sortKeys[static_cast<std::size_t>(a)] < sortKeys[static_cast<std::size_t>(b)];
  });

  int y = 0;
  int column = 0;
  bool first = true;
  std::string section;
  for (const int index : order) {
    const std::string& key = sortKeys[static_cast<std::size_t>(index)];
    const std::string mark = spec.ByFirstLetter ? FirstLetter(key) : key;
    if (first || mark != section) {
      if (column != 0) {
        y += spec.RowStep;
        column = 0;
      }
      const std::string& original = keys[static_cast<std::size_t>(index)];
      if (spec.ByFirstLetter) {
        layout.Headings.push_back({FirstLetter(key), {0, y}});
      } else {
        layout.Headings.push_back({original, {kHeadingX, y}});
        y += kHeadingHeight;
      }
      section = mark;
      first = false;
    }
    const int x = spec.Left + column * spec.ColumnStep;
    layout.Items.push_back({index, {x, y, x + spec.Button.width, y + spec.Button.height}});
    if (++column == layout.Columns) {
      column = 0;
      y += spec.RowStep;
    }
  }
  const int content = layout.Items.empty() ? 0 : layout.Items.back().Box.bottom;
  layout.Height = PaletteHeight(kind, content, formHeight);
  return layout;
}

SymbolFit FitSymbol(Size button, Size symbol) {
  if (symbol.width <= 0 || symbol.height <= 0) return {};
  const long long byWidth = static_cast<long long>(button.width - 3) * 10000 / symbol.width;
  const long long byHeight = static_cast<long long>(button.height - 3) * 10000 / symbol.height;
  const auto scale = static_cast<int>(std::clamp<long long>(std::min(byWidth, byHeight), 0, 1'000'000));
  const auto drawn = [&](int extent) { return static_cast<int>(static_cast<long long>(extent) * scale / 10000); };
  return {scale, {(button.width - drawn(symbol.width)) / 2, (button.height - drawn(symbol.height)) / 2}};
}

}  // namespace nv::dialogs
