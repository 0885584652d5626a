#include "model/stream.h"

#include <algorithm>

#include "model/extended_float.h"

std::size_t ByteStream::Read(void* buffer, std::size_t count) {
  const auto left = static_cast<std::uint64_t>(Remaining());
  return DoRead(buffer, static_cast<std::size_t>(std::min<std::uint64_t>(count, left)));
}

std::size_t ByteStream::Write(const void* buffer, std::size_t count) { return DoWrite(buffer, count); }

std::int64_t ByteStream::Seek(std::int64_t offset, SeekOrigin origin) {
  const std::int64_t position = DoSeek(offset, origin);
  if (position < 0) throw EReadError();
  return position;
}

std::int64_t ByteStream::ReadEnd() const {
  const std::int64_t size = Size();
  return limits_.empty() ? size : std::min(limits_.back(), size);
}

std::int64_t ByteStream::Remaining() const { return std::max<std::int64_t>(0, ReadEnd() - Position()); }

void ByteStream::ReadBuffer(void* buffer, std::size_t count) {
  if (Read(buffer, count) != count) throw EReadError();
}

void ByteStream::WriteBuffer(const void* buffer, std::size_t count) {
  if (Write(buffer, count) != count) throw EWriteError();
}

void ByteStream::CheckAvailable(std::uint64_t count, std::uint64_t itemSize) const {
  const auto left = static_cast<std::uint64_t>(Remaining());
  // Divide rather than multiply so that no product can overflow.
  if (itemSize != 0 && count > left / itemSize) throw EReadError();
}

std::vector<std::uint8_t> ByteStream::ReadBytes(std::size_t count) {
  CheckAvailable(count);
  std::vector<std::uint8_t> bytes(count);
  ReadBuffer(bytes.data(), count);
  return bytes;
}

void ByteStream::Skip(std::int64_t count) {
  if (count < 0 || count > Remaining()) throw EReadError();
  Seek(count, SeekOrigin::soCurrent);
}

namespace {

template <typename Unsigned, std::size_t N>
Unsigned FromLittleEndian(const std::uint8_t (&bytes)[N]) {
  Unsigned value = 0;
  for (std::size_t i = 0; i < N; ++i) value |= static_cast<Unsigned>(Unsigned{bytes[i]} << (8 * i));
  return value;
}

template <typename Unsigned>
void WriteLittleEndian(ByteStream& stream, Unsigned value) {
  std::uint8_t bytes[sizeof(Unsigned)];
  for (std::size_t i = 0; i < sizeof(Unsigned); ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
  stream.WriteBuffer(bytes, sizeof bytes);
}

}  // namespace

std::uint8_t ByteStream::ReadU8() {
  std::uint8_t value = 0;
  ReadBuffer(&value, 1);
  return value;
}

std::uint16_t ByteStream::ReadU16() {
  std::uint8_t bytes[2];
  ReadBuffer(bytes, sizeof bytes);
  return FromLittleEndian<std::uint16_t>(bytes);
}

std::int16_t ByteStream::ReadI16() { return static_cast<std::int16_t>(ReadU16()); }

std::uint32_t ByteStream::ReadU32() {
  std::uint8_t bytes[4];
  ReadBuffer(bytes, sizeof bytes);
  return FromLittleEndian<std::uint32_t>(bytes);
}

std::int32_t ByteStream::ReadI32() { return static_cast<std::int32_t>(ReadU32()); }

double ByteStream::ReadExtended() {
  ExtendedBytes bytes;
  ReadBuffer(bytes.data(), bytes.size());
  return DecodeExtended(bytes);
}

void ByteStream::WriteU8(std::uint8_t value) { WriteBuffer(&value, 1); }
void ByteStream::WriteU16(std::uint16_t value) { WriteLittleEndian(*this, value); }
void ByteStream::WriteI16(std::int16_t value) { WriteU16(static_cast<std::uint16_t>(value)); }
void ByteStream::WriteU32(std::uint32_t value) { WriteLittleEndian(*this, value); }
void ByteStream::WriteI32(std::int32_t value) { WriteU32(static_cast<std::uint32_t>(value)); }

void ByteStream::WriteExtended(double value) {
  const ExtendedBytes bytes = EncodeExtended(value);
  WriteBuffer(bytes.data(), bytes.size());
}

StreamLimit::StreamLimit(ByteStream& stream, std::int64_t length) : stream_(stream) {
  if (length < 0 || length > stream.Remaining()) throw EFileDamage();
  end_ = stream.Position() + length;
  stream.limits_.push_back(end_);
}

StreamLimit::~StreamLimit() { stream_.limits_.pop_back(); }

void StreamLimit::SkipToEnd() { stream_.Seek(end_, SeekOrigin::soBeginning); }
