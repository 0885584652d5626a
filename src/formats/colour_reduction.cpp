#include "formats/colour_reduction.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <memory>

using nv::platform::Color;
using nv::platform::RasterImage;

namespace {

constexpr int kSlots = 5191;
constexpr std::size_t kMaxColours = 2049;
constexpr std::size_t kPaletteSize = 256;

// Distinct colours with their counts, in the order first met.
class ColourCounter {
 public:
  ColourCounter() { slots_.fill(-1); }

  // The entry of the colour, added when new; -1 when the table is full.
  int Find(Color c, bool add) {
    const int r = nv::platform::redOf(c), g = nv::platform::greenOf(c), b = nv::platform::blueOf(c);
    int slot = static_cast<int>((static_cast<long long>(r + g) * (b + g) * (r + b)) % kSlots);
    while (slots_[static_cast<std::size_t>(slot)] >= 0) {
      const int entry = slots_[static_cast<std::size_t>(slot)];
      if (colours_[static_cast<std::size_t>(entry)] == c) return entry;
      slot = slot == kSlots - 1 ? 0 : slot + 1;
    }
    if (!add || colours_.size() == kMaxColours) return -1;
    slots_[static_cast<std::size_t>(slot)] = static_cast<int>(colours_.size());
    colours_.push_back(c);
    counts_.push_back(0);
    return static_cast<int>(colours_.size()) - 1;
  }
  void Count(int entry) { ++counts_[static_cast<std::size_t>(entry)]; }
  const std::vector<Color>& Colours() const { return colours_; }
  const std::vector<std::size_t>& Counts() const { return counts_; }

 private:
  std::array<int, kSlots> slots_;
  std::vector<Color> colours_;
  std::vector<std::size_t> counts_;
};

int SquaredDistance(Color a, Color b) {
  const int dr = nv::platform::redOf(a) - nv::platform::redOf(b);
  const int dg = nv::platform::greenOf(a) - nv::platform::greenOf(b);
  const int db = nv::platform::blueOf(a) - nv::platform::blueOf(b);
  return dr * dr + dg * dg + db * db;
}

}  // namespace

ReducedImage ReduceToGrey(const RasterImage& image) {
  ReducedImage result;
  for (int i = 0; i < 256; ++i) result.Palette.push_back(nv::platform::rgb(i, i, i));
  result.Indices.reserve(image.pixels.size());
  for (const Color c : image.pixels) {
    result.Indices.push_back(static_cast<std::uint8_t>(
        (77 * nv::platform::redOf(c) + 150 * nv::platform::greenOf(c) + 29 * nv::platform::blueOf(c)) >> 8));
  }
  return result;
}

ReducedImage ReduceByFrequency(const RasterImage& image) {
  // Blue loses bits first, then red, then green: the eye misses blue detail most.
  std::array<Color, 3> masks{0xFF0000, 0x0000FF, 0x00FF00};
  Color mask = 0xFFFFFF;
  std::size_t narrowNext = 0;
  auto counter = std::make_unique<ColourCounter>();
  for (;;) {
    bool overflow = false;
    for (const Color c : image.pixels) {
      const int entry = counter->Find(c & mask, true);
      if (entry < 0) {
        overflow = true;
        break;
      }
      counter->Count(entry);
    }
    if (!overflow) break;
    // Drop the lowest bit the next channel still has.
    Color& channel = masks[narrowNext];
    const Color kept = mask & channel;
    mask &= ~(kept & (~kept + 1));
    narrowNext = (narrowNext + 1) % masks.size();
    counter = std::make_unique<ColourCounter>();
  }

  const std::vector<Color>& colours = counter->Colours();
  std::vector<std::size_t> order(colours.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return counter->Counts()[a] > counter->Counts()[b]; });

  ReducedImage result;
  for (std::size_t i = 0; i < order.size() && i < kPaletteSize; ++i) result.Palette.push_back(colours[order[i]]);
  result.Palette.resize(kPaletteSize, nv::platform::rgb(128, 128, 128));

  std::vector<std::uint8_t> entryIndex(colours.size());
  for (std::size_t e = 0; e < colours.size(); ++e) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < kPaletteSize; ++i) {
      if (SquaredDistance(colours[e], result.Palette[i]) < SquaredDistance(colours[e], result.Palette[best])) best = i;
    }
    entryIndex[e] = static_cast<std::uint8_t>(best);
  }
  result.Indices.reserve(image.pixels.size());
  for (const Color c : image.pixels) {
    result.Indices.push_back(entryIndex[static_cast<std::size_t>(counter->Find(c & mask, false))]);
  }
  return result;
}
