#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/memory_stream.h"
#include "model/stream_strings.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(StreamStringsTest, StringFormAndRoundTrip) {
  MemoryStream stream;
  WriteStreamString(stream, "");
  WriteStreamString(stream, "Ab");
  EXPECT_EQ(stream.Data(), (Bytes{0, 0, 2, 0, 'A', 'b'}));
  const std::string longest(65535, 'x');
  WriteStreamString(stream, longest);
  stream.SetPosition(0);
  EXPECT_EQ(ReadStreamString(stream), "");
  EXPECT_EQ(ReadStreamString(stream), "Ab");
  EXPECT_EQ(ReadStreamString(stream), longest);
}

TEST(StreamStringsTest, TooLongStringIsRefusedBeforeWriting) {
  MemoryStream stream;
  EXPECT_THROW(WriteStreamString(stream, std::string(65536, 'x')), EWriteError);
  EXPECT_EQ(stream.Size(), 0);
}

TEST(StreamStringsTest, ShortStringRaisesReadError) {
  MemoryStream stream(Bytes{5, 0, 'a', 'b'});
  EXPECT_THROW(ReadStreamString(stream), EReadError);
}

TEST(StreamStringsTest, ListFormAndRoundTrip) {
  MemoryStream stream;
  WriteStreamStrings(stream, {"a", ""});
  EXPECT_EQ(stream.Data(), (Bytes{2, 0, 1, 0, 'a', 0, 0}));
  stream.SetPosition(0);
  std::vector<std::string> list{"old"};
  ReadStreamStrings(stream, list);
  EXPECT_EQ(list, (std::vector<std::string>{"a", ""}));
}

TEST(StreamStringsTest, ListCountsThatCannotBeRight) {
  // 10001 entries: damaged, and the list is left empty.
  MemoryStream tooMany(Bytes{0x11, 0x27, 0, 0});
  std::vector<std::string> list{"old"};
  try {
    ReadStreamStrings(tooMany, list);
    FAIL() << "no error";
  } catch (const EFileDamage& error) {
    EXPECT_STREQ(error.what(), "File is damage");
  }
  EXPECT_TRUE(list.empty());
  // A count that the rest of the data cannot hold fails before reading.
  MemoryStream truncated(Bytes{3, 0, 0, 0, 0, 0});
  EXPECT_THROW(ReadStreamStrings(truncated, list), EReadError);
  EXPECT_EQ(truncated.Position(), 2);
}

TEST(StreamStringsTest, ListsThatCouldNotBeReadBackAreRefused) {
  MemoryStream stream;
  EXPECT_THROW(WriteStreamStrings(stream, std::vector<std::string>(10001)), EWriteError);
  EXPECT_THROW(WriteStreamStrings(stream, {"a", std::string(65536, 'x')}), EWriteError);
  EXPECT_EQ(stream.Size(), 0);
  WriteStreamStrings(stream, std::vector<std::string>(10000));
  EXPECT_EQ(stream.Size(), 2 + 2 * 10000);
}

}  // namespace
