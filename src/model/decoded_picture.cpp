#include "model/decoded_picture.h"

#include <utility>

bool DecodedPixelBudget::Take(std::int64_t pixels) {
  if (pixels > limit_ - used_) return false;
  used_ += pixels;
  return true;
}

void TECDecodedPicture::Keep(nv::platform::Picture picture, std::shared_ptr<DecodedPixelBudget> budget) {
  Reset();
  held_ = true;
  const std::int64_t pixels = std::int64_t{picture.width()} * picture.height();
  if (picture.isEmpty() || budget == nullptr || !budget->Take(pixels)) return;
  picture_ = std::move(picture);
  budget_ = std::move(budget);
  pixels_ = pixels;
}

void TECDecodedPicture::Reset() {
  if (budget_ != nullptr) budget_->Give(pixels_);
  held_ = false;
  picture_ = {};
  budget_ = nullptr;
  pixels_ = 0;
}
