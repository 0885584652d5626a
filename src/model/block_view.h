#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "model/stream.h"

// The bytes of one block, from a stream's position to its innermost read
// limit: in place when the stream holds its data in memory, else copied
// once. Its own reads below check the block's end once per value or record,
// without a virtual call or the stream's limits; as a stream itself it also
// serves the readers of the rarer parts, at the same position. Its own reads
// check only its end, so no read limit is set on it.
//
// The source's position is left where it was; the caller moves it past the
// block.
class BlockView : public ByteStream {
 public:
  explicit BlockView(ByteStream& source);

  // Raises EReadError unless count bytes are left.
  void Need(std::size_t count) const {
    if (count > size_ - at_) throw EReadError();
  }
  std::uint8_t U8() {
    Need(1);
    return data_[at_++];
  }
  std::uint16_t U16() {
    Need(2);
    const auto value = static_cast<std::uint16_t>(data_[at_] | data_[at_ + 1] << 8);
    at_ += 2;
    return value;
  }
  std::int32_t I32() {
    Need(4);
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(data_[at_ + i]) << (8 * i);
    at_ += 4;
    return static_cast<std::int32_t>(value);
  }
  // A sized record in place: its byte count, then that many bytes.
  std::span<const std::uint8_t> Record() {
    const std::size_t size = U8();
    Need(size);
    const std::span<const std::uint8_t> record(data_ + at_, size);
    at_ += size;
    return record;
  }

  const std::uint8_t* DataInMemory() const override { return data_; }

 protected:
  std::size_t DoRead(void* buffer, std::size_t count) override;
  std::size_t DoWrite(const void* buffer, std::size_t count) override;
  std::int64_t DoSeek(std::int64_t offset, SeekOrigin origin) override;
  std::int64_t DoTell() const override { return static_cast<std::int64_t>(at_); }
  std::int64_t DoSize() const override { return static_cast<std::int64_t>(size_); }

 private:
  std::vector<std::uint8_t> copy_;
  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  // Never past size_.
  std::size_t at_ = 0;
};

// The kind byte of a sized record, 0 for an empty one.
inline std::uint8_t RecordKind(std::span<const std::uint8_t> record) { return record.empty() ? 0 : record[0]; }
