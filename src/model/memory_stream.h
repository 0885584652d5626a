#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "model/stream.h"

// A stream over a byte vector it owns; writing past the end grows it.
class MemoryStream : public ByteStream {
 public:
  MemoryStream() = default;
  explicit MemoryStream(std::vector<std::uint8_t> data) : data_(std::move(data)) {}

  const std::vector<std::uint8_t>& Data() const { return data_; }
  const std::uint8_t* DataInMemory() const override { return data_.data(); }
  // Truncates or zero-extends; the position stays within the new size.
  void SetSize(std::int64_t size);
  void Clear();

 protected:
  std::size_t DoRead(void* buffer, std::size_t count) override;
  std::size_t DoWrite(const void* buffer, std::size_t count) override;
  std::int64_t DoSeek(std::int64_t offset, SeekOrigin origin) override;
  std::int64_t DoTell() const override { return position_; }
  std::int64_t DoSize() const override { return static_cast<std::int64_t>(data_.size()); }

 private:
  std::vector<std::uint8_t> data_;
  std::int64_t position_ = 0;
};
