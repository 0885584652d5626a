#include "model/block_pool.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <vector>

namespace {

TEST(BlockPool, HandsOutDistinctAlignedBlocksAcrossSlabs) {
  TECBlockPool pool(1004);
  std::vector<void*> blocks;
  // Several slabs' worth.
  for (int i = 0; i < 3000; ++i) {
    void* block = pool.Allocate();
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % alignof(void*), 0u);
    std::memset(block, i & 0xFF, 1004);
    blocks.push_back(block);
  }
  for (int i = 0; i < 3000; ++i) EXPECT_EQ(*static_cast<unsigned char*>(blocks[i]), i & 0xFF) << i;
  EXPECT_EQ(std::set<void*>(blocks.begin(), blocks.end()).size(), blocks.size());
  EXPECT_GT(pool.SlabCount(), 1u);
  for (void* block : blocks) pool.Free(block);
}

TEST(BlockPool, GivesBackEmptySlabsButOne) {
  TECBlockPool pool(100000);
  std::vector<void*> blocks;
  for (int i = 0; i < 300; ++i) blocks.push_back(pool.Allocate());
  const std::size_t held = pool.SlabCount();
  EXPECT_GT(held, 1u);
  // Freeing every other block empties no slab.
  for (std::size_t i = 0; i < blocks.size(); i += 2) pool.Free(blocks[i]);
  EXPECT_EQ(pool.SlabCount(), held);
  for (std::size_t i = 1; i < blocks.size(); i += 2) pool.Free(blocks[i]);
  EXPECT_EQ(pool.SlabCount(), 1u);
  // The kept slab serves again.
  void* again = pool.Allocate();
  EXPECT_EQ(pool.SlabCount(), 1u);
  pool.Free(again);
}

TEST(BlockPool, ReusesFreedBlocks) {
  TECBlockPool pool(104);
  void* first = pool.Allocate();
  void* second = pool.Allocate();
  pool.Free(first);
  EXPECT_EQ(pool.Allocate(), first);
  pool.Free(second);
  pool.Free(first);
  pool.Free(nullptr);
}

TEST(BlockPool, RecordsOfAnotherSizeTakeTheGeneralHeap) {
  TECBlockPool pool(48);
  void* other = AllocateRecord(pool, 112);
  std::memset(other, 0, 112);
  FreeRecord(pool, other, 112);
  void* own = AllocateRecord(pool, 48);
  std::memset(own, 0, 48);
  FreeRecord(pool, own, 48);
}

}  // namespace
