#include "model/block_view.h"

#include <algorithm>
#include <cstring>

BlockView::BlockView(ByteStream& source) {
  size_ = static_cast<std::size_t>(source.Remaining());
  if (const std::uint8_t* memory = source.DataInMemory(); memory && size_ != 0) {
    data_ = memory + source.Position();
    return;
  }
  copy_.resize(size_);
  source.ReadBuffer(copy_.data(), size_);
  source.Seek(-static_cast<std::int64_t>(size_), SeekOrigin::soCurrent);
  data_ = copy_.data();
}

std::size_t BlockView::DoRead(void* buffer, std::size_t count) {
  const std::size_t n = std::min(count, size_ - at_);
  if (n != 0) std::memcpy(buffer, data_ + at_, n);
  at_ += n;
  return n;
}

// Read only.
std::size_t BlockView::DoWrite(const void*, std::size_t) { return 0; }

std::int64_t BlockView::DoSeek(std::int64_t offset, SeekOrigin origin) {
  std::int64_t base = 0;
  if (origin == SeekOrigin::soCurrent) base = static_cast<std::int64_t>(at_);
  if (origin == SeekOrigin::soEnd) base = static_cast<std::int64_t>(size_);
  const std::int64_t position = base + offset;
  if (position < 0 || position > static_cast<std::int64_t>(size_)) return -1;
  at_ = static_cast<std::size_t>(position);
  return position;
}
