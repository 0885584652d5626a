#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>

// Blocks of one size carved from 1 MiB slabs, for the records a score holds
// by the million (notes, their attributes): the general heap adds a header
// and rounding to every block, a fifth of a note's size. A slab whose blocks
// are all freed goes back to the heap, except one kept for the next records.
// Blocks are aligned for records of pointer alignment at most. Safe to use
// from several threads.
class TECBlockPool {
 public:
  // Blocks of at most a slab less its header.
  explicit TECBlockPool(std::size_t blockSize);
  // Every block must have been freed.
  ~TECBlockPool();
  TECBlockPool(const TECBlockPool&) = delete;
  TECBlockPool& operator=(const TECBlockPool&) = delete;

  std::size_t BlockSize() const { return blockSize_; }
  void* Allocate();
  void Free(void* block) noexcept;
  // Slabs held now.
  std::size_t SlabCount() const;

 private:
  struct Slab;
  void Open(Slab* slab) noexcept;
  void Close(Slab* slab) noexcept;

  const std::size_t blockSize_;
  const std::size_t stride_;
  const std::uint32_t blocksPerSlab_;
  mutable std::mutex mutex_;
  // Slabs with a block to spare, most recently freed into first.
  Slab* open_ = nullptr;
  std::size_t slabCount_ = 0;
};

// The operator new and delete of a pooled record: a block of `pool` when the
// size is the pool's (a derived record of another size takes the general
// heap). Under AddressSanitizer every record takes the general heap, so that
// a use of a freed record is still caught.
void* AllocateRecord(TECBlockPool& pool, std::size_t size);
void FreeRecord(TECBlockPool& pool, void* block, std::size_t size) noexcept;
