#pragma once

#include <cstdint>
#include <memory>

#include "platform/picture.h"

// The decoded pixels of one score's pictures share one budget, so that a
// small file of a few huge pictures cannot hold gigabytes between them.
class DecodedPixelBudget {
 public:
  explicit DecodedPixelBudget(std::int64_t limit) : limit_(limit) {}
  // False, taking nothing, when `pixels` more would pass the limit.
  bool Take(std::int64_t pixels);
  void Give(std::int64_t pixels) { used_ -= pixels; }
  std::int64_t Used() const { return used_; }

 private:
  std::int64_t limit_;
  std::int64_t used_ = 0;
};

inline constexpr std::int64_t kDecodedPixelsPerScore = std::int64_t{1} << 27;

// What the painters decoded from a picture's bytes, kept with them so that a
// draw does not decode again. A copy of the bytes starts without it (it is
// decoded again when drawn), and new bytes assigned drop it. The pixels it
// holds are taken from its score's budget and given back when it goes.
class TECDecodedPicture {
 public:
  TECDecodedPicture() = default;
  TECDecodedPicture(const TECDecodedPicture&) {}
  TECDecodedPicture& operator=(const TECDecodedPicture&) {
    Reset();
    return *this;
  }
  ~TECDecodedPicture() { Reset(); }

  bool Held() const { return held_; }
  // The picture decoded, empty for bytes that do not decode or a picture
  // past the budget.
  const nv::platform::Picture& Picture() const { return picture_; }
  // Keeps `picture` when the budget takes its pixels, else keeps an empty one.
  void Keep(nv::platform::Picture picture, std::shared_ptr<DecodedPixelBudget> budget);
  void Reset();

 private:
  bool held_ = false;
  nv::platform::Picture picture_;
  std::shared_ptr<DecodedPixelBudget> budget_;
  std::int64_t pixels_ = 0;
};
