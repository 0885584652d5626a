#include "model/block_pool.h"

#include <algorithm>
#include <new>

namespace {

// Slabs of 64 KiB: few enough for a large score, little waste for a small one.
constexpr std::size_t kSlabBytes = 64 * 1024;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPoolRecords = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kPoolRecords = false;
#else
constexpr bool kPoolRecords = true;
#endif
#else
constexpr bool kPoolRecords = true;
#endif

// Records align to a pointer at most; a block rounds up only to that.
constexpr std::size_t kUnit = alignof(void*);
constexpr std::size_t Rounded(std::size_t size) { return (std::max(size, sizeof(void*)) + kUnit - 1) / kUnit * kUnit; }

}  // namespace

TECBlockPool::TECBlockPool(std::size_t blockSize) : blockSize_(blockSize) {}

void* TECBlockPool::Allocate() {
  const std::lock_guard lock(mutex_);
  if (free_) {
    FreeBlock* block = free_;
    free_ = block->Next;
    return block;
  }
  const std::size_t stride = Rounded(blockSize_);
  if (next_ == nullptr || static_cast<std::size_t>(end_ - next_) < stride) {
    const std::size_t bytes = std::max(kSlabBytes, stride);
    slabs_.push_back(std::make_unique_for_overwrite<std::byte[]>(bytes));
    next_ = slabs_.back().get();
    end_ = next_ + bytes;
  }
  void* block = next_;
  next_ += stride;
  return block;
}

void TECBlockPool::Free(void* block) noexcept {
  if (block == nullptr) return;
  const std::lock_guard lock(mutex_);
  free_ = ::new (block) FreeBlock{free_};
}

void* AllocateRecord(TECBlockPool& pool, std::size_t size) {
  if (kPoolRecords && size == pool.BlockSize()) return pool.Allocate();
  return ::operator new(size);
}

void FreeRecord(TECBlockPool& pool, void* block, std::size_t size) noexcept {
  if (kPoolRecords && size == pool.BlockSize())
    pool.Free(block);
  else
    ::operator delete(block, size);
}
