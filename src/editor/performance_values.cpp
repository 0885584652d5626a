#include "editor/performance_values.h"

#include <algorithm>

namespace nv::editor::performance {
namespace {

constexpr int kLongest = 65535;
constexpr std::uint8_t kEarlier = 0x80;

// The offset as signed ticks and back, its magnitude kept to 0..127.
int Signed(std::uint8_t offset) { return (offset & kEarlier) != 0 ? -(offset & 0x7F) : (offset & 0x7F); }
std::uint8_t Stored(int ticks) {
  ticks = std::clamp(ticks, -127, 127);
  return static_cast<std::uint8_t>(ticks < 0 ? kEarlier | -ticks : ticks);
}

}  // namespace

int LongerPerformed(int performed, int notated) {
  if (performed == 0) return std::min(kLongest, notated + 1);
  if (performed == notated - 1) return 0;
  return std::min(kLongest, performed + 1);
}

int ShorterPerformed(int performed, int notated) {
  if (performed == 0) return notated > 1 ? notated - 1 : 0;
  if (performed == notated + 1) return 0;
  return std::max(1, performed - 1);
}

std::uint8_t OffsetLater(std::uint8_t offset) { return Stored(Signed(offset) + 1); }
std::uint8_t OffsetEarlier(std::uint8_t offset) { return Stored(Signed(offset) - 1); }

int LongerPart(int length) { return length < 256 ? length + 1 : length; }
int ShorterPart(int length) { return length > 2 ? length - 1 : length; }
int LaterPart(int position) { return position < 128 ? position + 1 : position; }
int EarlierPart(int position) { return position > 0 ? position - 1 : position; }

int SteppedVelocity(int velocity, int delta) { return std::clamp(velocity + delta, 0, 127); }

int RampVelocity(int vf, int vl, int tf, int tl, int t) {
  const int span = tl - tf;
  if (span == 0) return std::clamp(vf, 0, 127);
  return std::clamp(vf + (t - tf) * (vl - vf) / span, 0, 127);
}

}  // namespace nv::editor::performance
