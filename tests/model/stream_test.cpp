#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "model/block_view.h"
#include "model/file_stream.h"
#include "model/memory_stream.h"
#include "model/stream.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(StreamTest, IntegersAreLittleEndianAndRoundTrip) {
  MemoryStream stream;
  stream.WriteU8(0xAB);
  stream.WriteU16(0x1234);
  stream.WriteI16(-2);
  stream.WriteU32(0xDEADBEEF);
  stream.WriteI32(-100000);
  EXPECT_EQ(stream.Data(), (Bytes{0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xEF, 0xBE, 0xAD, 0xDE, 0x60,
                                  0x79, 0xFE, 0xFF}));
  stream.SetPosition(0);
  EXPECT_EQ(stream.ReadU8(), 0xAB);
  EXPECT_EQ(stream.ReadU16(), 0x1234);
  EXPECT_EQ(stream.ReadI16(), -2);
  EXPECT_EQ(stream.ReadU32(), 0xDEADBEEFu);
  EXPECT_EQ(stream.ReadI32(), -100000);
  EXPECT_EQ(stream.Remaining(), 0);
}

TEST(StreamTest, ShortReadRaisesReadError) {
  MemoryStream stream(Bytes{1, 2, 3});
  stream.ReadU16();
  try {
    stream.ReadU16();
    FAIL() << "no error";
  } catch (const EReadError& error) {
    EXPECT_STREQ(error.what(), "Stream read error");
  }
  stream.SetPosition(0);
  EXPECT_THROW(stream.Skip(4), EReadError);
  EXPECT_THROW(stream.Seek(-1, SeekOrigin::soBeginning), EReadError);
}

TEST(StreamTest, LengthBeyondWhatIsLeftRaisesBeforeAllocating) {
  MemoryStream stream(Bytes{1, 2, 3, 4});
  // A huge length must fail the check, not attempt a huge allocation.
  EXPECT_THROW(stream.ReadBytes(std::size_t{1} << 60), EReadError);
  EXPECT_THROW(stream.CheckAvailable(std::uint64_t{1} << 62, 8), EReadError);
  EXPECT_NO_THROW(stream.CheckAvailable(2, 2));
  EXPECT_THROW(stream.CheckAvailable(3, 2), EReadError);
  EXPECT_EQ(stream.ReadBytes(4), (Bytes{1, 2, 3, 4}));
}

TEST(StreamTest, LimitsNestAndStopReadsAtTheBlockEnd) {
  MemoryStream stream(Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
  {
    StreamLimit outer(stream, 8);
    EXPECT_EQ(stream.Remaining(), 8);
    stream.ReadU8();
    {
      StreamLimit inner(stream, 3);
      EXPECT_EQ(stream.ReadU16(), 0x0302);
      EXPECT_THROW(stream.ReadU16(), EReadError);  // one byte left in the block
      inner.SkipToEnd();
    }
    EXPECT_EQ(stream.Position(), 4);
    EXPECT_EQ(stream.Remaining(), 4);
    // A block may not claim more than its container holds.
    EXPECT_THROW(StreamLimit(stream, 5), EFileDamage);
    EXPECT_THROW(StreamLimit(stream, -1), EFileDamage);
    EXPECT_THROW(stream.ReadBytes(5), EReadError);
    outer.SkipToEnd();
  }
  EXPECT_EQ(stream.Remaining(), 2);
  EXPECT_EQ(stream.ReadU16(), 0x0A09);
}

TEST(StreamTest, MemoryStreamWritesOverAndGrows) {
  MemoryStream stream;
  stream.WriteU32(0);
  stream.SetPosition(2);
  stream.WriteU32(0x04030201);
  EXPECT_EQ(stream.Data(), (Bytes{0, 0, 1, 2, 3, 4}));
  stream.Seek(-1, SeekOrigin::soEnd);
  EXPECT_EQ(stream.ReadU8(), 4);
  stream.SetSize(3);
  EXPECT_EQ(stream.Position(), 3);
  EXPECT_EQ(stream.Data(), (Bytes{0, 0, 1}));
}

TEST(StreamTest, FileStreamRoundTripAndOpenError) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("nv_stream_test_" + std::to_string(::getpid()));
  {
    FileStream out(path.string(), FileMode::fmCreate);
    out.WriteU16(7);
    out.WriteExtended(2.5);
    out.Flush();
  }
  {
    FileStream in(path.string(), FileMode::fmOpenRead);
    EXPECT_EQ(in.Size(), 12);
    EXPECT_EQ(in.ReadU16(), 7);
    EXPECT_EQ(in.ReadExtended(), 2.5);
    EXPECT_THROW(in.ReadU8(), EReadError);
  }
  std::filesystem::remove(path);
  EXPECT_THROW(FileStream(path.string(), FileMode::fmOpenRead), EFileOpenError);
}

// A block read through a view, from memory in place and from a file by a
// copy: its values and records, its end at the source's read limit, and the
// source left where it was.
TEST(StreamTest, BlockViewReadsOneBlockAndLeavesTheSourceWhereItWas) {
  const Bytes bytes{9, 1, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 2, 0xAA, 0xBB, 0x77, 0x55};
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("nv_block_view_test_" + std::to_string(::getpid()));
  {
    FileStream out(path.string(), FileMode::fmCreate);
    out.WriteBuffer(bytes.data(), bytes.size());
  }
  MemoryStream memory(bytes);
  FileStream file(path.string(), FileMode::fmOpenRead);
  for (ByteStream* source : {static_cast<ByteStream*>(&memory), static_cast<ByteStream*>(&file)}) {
    source->SetPosition(1);
    StreamLimit limit(*source, 10);
    BlockView block(*source);
    EXPECT_EQ(block.Size(), 10);
    EXPECT_EQ(block.U8(), 1);
    EXPECT_EQ(block.U16(), 0x1234);
    EXPECT_EQ(block.I32(), 0x12345678);
    const auto record = block.Record();
    EXPECT_EQ(Bytes(record.begin(), record.end()), (Bytes{0xAA, 0xBB}));
    EXPECT_EQ(block.Remaining(), 0);
    EXPECT_THROW(block.U8(), EReadError);
    EXPECT_EQ(source->Position(), 1);
  }
  std::filesystem::remove(path);
}

}  // namespace
