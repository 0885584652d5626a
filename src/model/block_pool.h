#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

// Blocks of one size carved from large slabs, for the records a score holds
// by the million (notes, their attributes): the general heap adds a header
// and rounding to every block, a fifth of a note's size. Freed blocks are
// kept for the next record of the kind; the slabs go back only with the
// pool. Blocks are aligned for records of pointer alignment at most. Safe to
// use from several threads.
class TECBlockPool {
 public:
  explicit TECBlockPool(std::size_t blockSize);
  TECBlockPool(const TECBlockPool&) = delete;
  TECBlockPool& operator=(const TECBlockPool&) = delete;

  std::size_t BlockSize() const { return blockSize_; }
  void* Allocate();
  void Free(void* block) noexcept;

 private:
  struct FreeBlock {
    FreeBlock* Next;
  };

  const std::size_t blockSize_;
  std::mutex mutex_;
  FreeBlock* free_ = nullptr;
  // Unused tail of the newest slab.
  std::byte* next_ = nullptr;
  std::byte* end_ = nullptr;
  std::vector<std::unique_ptr<std::byte[]>> slabs_;
};

// The operator new and delete of a pooled record: a block of `pool` when the
// size is the pool's (a derived record of another size takes the general
// heap). Under AddressSanitizer every record takes the general heap, so that
// a use of a freed record is still caught.
void* AllocateRecord(TECBlockPool& pool, std::size_t size);
void FreeRecord(TECBlockPool& pool, void* block, std::size_t size) noexcept;
