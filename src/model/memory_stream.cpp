#include "model/memory_stream.h"

#include <algorithm>
#include <cstring>

void MemoryStream::SetSize(std::int64_t size) {
  data_.resize(static_cast<std::size_t>(std::max<std::int64_t>(0, size)));
  position_ = std::min(position_, DoSize());
}

void MemoryStream::Clear() {
  data_.clear();
  position_ = 0;
}

std::size_t MemoryStream::DoRead(void* buffer, std::size_t count) {
  if (position_ >= DoSize()) return 0;
  const std::size_t n = std::min(count, static_cast<std::size_t>(DoSize() - position_));
  if (n != 0) std::memcpy(buffer, data_.data() + position_, n);
  position_ += static_cast<std::int64_t>(n);
  return n;
}

std::size_t MemoryStream::DoWrite(const void* buffer, std::size_t count) {
  if (count == 0) return 0;
  const auto end = static_cast<std::size_t>(position_) + count;
  if (end > data_.size()) data_.resize(end);
  std::memcpy(data_.data() + position_, buffer, count);
  position_ = static_cast<std::int64_t>(end);
  return count;
}

std::int64_t MemoryStream::DoSeek(std::int64_t offset, SeekOrigin origin) {
  std::int64_t base = 0;
  if (origin == SeekOrigin::soCurrent) base = position_;
  if (origin == SeekOrigin::soEnd) base = DoSize();
  const std::int64_t position = base + offset;
  if (position < 0) return -1;
  position_ = position;
  return position_;
}
