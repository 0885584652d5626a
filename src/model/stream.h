#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// Byte streams shared by every reader and writer of the program.
//
// Reading is bounded: a stream keeps a stack of read limits (see
// StreamLimit), reads never pass the innermost one, and every length or count
// taken from the data is checked against what is left before anything is
// allocated. Multi-byte values are little-endian.

// Base of every stream failure, so that a block reader can skip a damaged
// block whatever went wrong inside it.
class EStreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Fewer bytes are left than a read needs.
class EReadError : public EStreamError {
 public:
  EReadError() : EStreamError("Stream read error") {}
};

class EWriteError : public EStreamError {
 public:
  EWriteError() : EStreamError("Stream write error") {}
  using EStreamError::EStreamError;
};

// The data contradicts its own structure (a count beyond its limit, a wrong
// block marker, a block longer than its container).
class EFileDamage : public EStreamError {
 public:
  EFileDamage() : EStreamError("File is damage") {}
  using EStreamError::EStreamError;
};

class EFileOpenError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

enum class SeekOrigin { soBeginning, soCurrent, soEnd };

class ByteStream {
 public:
  virtual ~ByteStream() = default;
  ByteStream() = default;
  ByteStream(const ByteStream&) = delete;
  ByteStream& operator=(const ByteStream&) = delete;

  // Reads up to count bytes, never past the innermost read limit; returns how
  // many were read.
  std::size_t Read(void* buffer, std::size_t count);
  // Returns how many bytes were written.
  std::size_t Write(const void* buffer, std::size_t count);
  // Moves the position; a negative result raises EReadError. Returns the new
  // position.
  std::int64_t Seek(std::int64_t offset, SeekOrigin origin);

  std::int64_t Position() const { return DoTell(); }
  void SetPosition(std::int64_t position) { Seek(position, SeekOrigin::soBeginning); }
  std::int64_t Size() const { return DoSize(); }

  // Bytes left before the innermost read limit (or the end of the data).
  std::int64_t Remaining() const;
  // The position reads stop at.
  std::int64_t ReadEnd() const;

  // Reads exactly count bytes or raises EReadError (position unspecified then).
  void ReadBuffer(void* buffer, std::size_t count);
  // Writes exactly count bytes or raises EWriteError.
  void WriteBuffer(const void* buffer, std::size_t count);

  // Raises EReadError unless count items of itemSize bytes each are left;
  // call it before allocating for a count read from the data.
  void CheckAvailable(std::uint64_t count, std::uint64_t itemSize = 1) const;

  // The whole data, from position 0, when the stream holds it in memory;
  // null otherwise.
  virtual const std::uint8_t* DataInMemory() const { return nullptr; }

  // Reads count bytes; checks what is left before allocating.
  std::vector<std::uint8_t> ReadBytes(std::size_t count);
  void Skip(std::int64_t count);

  std::uint8_t ReadU8();
  std::uint16_t ReadU16();
  std::int16_t ReadI16();
  std::uint32_t ReadU32();
  std::int32_t ReadI32();
  // An 80-bit extended float, decoded to the nearest double.
  double ReadExtended();

  void WriteU8(std::uint8_t value);
  void WriteU16(std::uint16_t value);
  void WriteI16(std::int16_t value);
  void WriteU32(std::uint32_t value);
  void WriteI32(std::int32_t value);
  void WriteExtended(double value);

 protected:
  virtual std::size_t DoRead(void* buffer, std::size_t count) = 0;
  virtual std::size_t DoWrite(const void* buffer, std::size_t count) = 0;
  // Returns the new position or -1 when the position is not valid.
  virtual std::int64_t DoSeek(std::int64_t offset, SeekOrigin origin) = 0;
  virtual std::int64_t DoTell() const = 0;
  virtual std::int64_t DoSize() const = 0;

 private:
  friend class StreamLimit;
  std::vector<std::int64_t> limits_;
};

// Limits reading to the next length bytes while it lives, so that a block
// cannot read past its own end. Limits nest; a length beyond what the
// enclosing limit leaves raises EFileDamage.
class StreamLimit {
 public:
  StreamLimit(ByteStream& stream, std::int64_t length);
  ~StreamLimit();
  StreamLimit(const StreamLimit&) = delete;
  StreamLimit& operator=(const StreamLimit&) = delete;

  std::int64_t End() const { return end_; }
  // Moves to the end of the limited range, past whatever was not read.
  void SkipToEnd();

 private:
  ByteStream& stream_;
  std::int64_t end_;
};
