#include "model/block_pool.h"

#include <algorithm>
#include <cassert>
#include <new>

namespace {

// Slabs are aligned to their size, so that a block finds its slab by masking
// its address. Large enough that the heap maps each apart (an aligned block
// carved from the heap's middle would leave gaps) and gives it back whole.
constexpr std::size_t kSlabBytes = 1024 * 1024;
constexpr std::align_val_t kSlabAlignment{kSlabBytes};

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

struct FreeBlock {
  FreeBlock* Next;
};

}  // namespace

// The head of a slab; its blocks follow.
struct TECBlockPool::Slab {
  Slab* Prev = nullptr;
  Slab* Next = nullptr;
  FreeBlock* Freed = nullptr;
  // Blocks taken from the untouched tail so far, and blocks in use: a slab
  // is in the open list exactly while Live is below the slab's block count.
  std::uint32_t Carved = 0;
  std::uint32_t Live = 0;

  std::byte* Blocks() { return reinterpret_cast<std::byte*>(this) + Rounded(sizeof(Slab)); }
};

TECBlockPool::TECBlockPool(std::size_t blockSize)
    : blockSize_(blockSize),
      stride_(Rounded(blockSize)),
      blocksPerSlab_(static_cast<std::uint32_t>((kSlabBytes - Rounded(sizeof(Slab))) / stride_)) {
  assert(blocksPerSlab_ >= 1);
}

TECBlockPool::~TECBlockPool() {
  while (open_) {
    Slab* slab = open_;
    Close(slab);
    slab->~Slab();
    ::operator delete(slab, kSlabAlignment);
  }
}

void TECBlockPool::Open(Slab* slab) noexcept {
  slab->Prev = nullptr;
  slab->Next = open_;
  if (open_) open_->Prev = slab;
  open_ = slab;
}

void TECBlockPool::Close(Slab* slab) noexcept {
  if (slab->Prev)
    slab->Prev->Next = slab->Next;
  else
    open_ = slab->Next;
  if (slab->Next) slab->Next->Prev = slab->Prev;
}

void* TECBlockPool::Allocate() {
  const std::lock_guard lock(mutex_);
  if (!open_) {
    Open(::new (::operator new(kSlabBytes, kSlabAlignment)) Slab);
    ++slabCount_;
  }
  Slab* slab = open_;
  void* block;
  if (slab->Freed) {
    block = slab->Freed;
    slab->Freed = slab->Freed->Next;
  } else {
    block = slab->Blocks() + slab->Carved * stride_;
    ++slab->Carved;
  }
  if (++slab->Live == blocksPerSlab_) Close(slab);
  return block;
}

void TECBlockPool::Free(void* block) noexcept {
  if (block == nullptr) return;
  const std::lock_guard lock(mutex_);
  auto* slab = reinterpret_cast<Slab*>(reinterpret_cast<std::uintptr_t>(block) & ~(kSlabBytes - 1));
  slab->Freed = ::new (block) FreeBlock{slab->Freed};
  // A full slab has room again.
  if (slab->Live-- == blocksPerSlab_) Open(slab);
  // An empty slab goes back unless it is the only one with room.
  if (slab->Live == 0 && (slab->Prev || slab->Next)) {
    Close(slab);
    slab->~Slab();
    ::operator delete(slab, kSlabAlignment);
    --slabCount_;
  }
}

std::size_t TECBlockPool::SlabCount() const {
  const std::lock_guard lock(mutex_);
  return slabCount_;
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
