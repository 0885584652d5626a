#include "model/stream_blocks.h"

#include <string>

BlockWriter::BlockWriter(ByteStream& stream, std::uint8_t marker, int lengthBytes)
    : stream_(stream),
      start_(stream.Position()),
      lengthBytes_(lengthBytes),
      exceptionsAtStart_(std::uncaught_exceptions()) {
  stream_.WriteU8(marker);
  if (lengthBytes_ == 2)
    stream_.WriteU16(0);
  else
    stream_.WriteU32(0);
}

BlockWriter::~BlockWriter() {
  if (finished_ || std::uncaught_exceptions() == exceptionsAtStart_) return;
  // Writing raised: patch what was written, as a reader of the partial
  // stream expects. The error already on its way is the one to report, so a
  // second failure while patching is dropped.
  try {
    const std::int64_t end = stream_.Position();
    Patch(end - start_);
    stream_.SetPosition(end);
  } catch (const EStreamError&) {
  }
}

void BlockWriter::Finish() {
  const std::int64_t end = stream_.Position();
  const std::int64_t length = end - start_;
  finished_ = true;
  if (lengthBytes_ == 2 && length > kMaxShortBlockLength) {
    throw EWriteError("A measure of " + std::to_string(length) + " bytes is too long to store");
  }
  Patch(length);
  stream_.SetPosition(end);
}

void BlockWriter::Patch(std::int64_t length) {
  stream_.SetPosition(start_ + 1);
  if (lengthBytes_ == 2)
    stream_.WriteU16(static_cast<std::uint16_t>(length));
  else
    stream_.WriteU32(static_cast<std::uint32_t>(length));
}

SizedRecord ReadSizedRecord(ByteStream& stream) {
  SizedRecord record;
  record.Size = stream.ReadU8();
  stream.ReadBuffer(record.Bytes.data(), record.Size);
  return record;
}

void WriteSizedRecord(ByteStream& stream, std::span<const std::uint8_t> bytes) {
  if (bytes.size() > 255) {
    throw EWriteError("A record of " + std::to_string(bytes.size()) + " bytes is too long to store");
  }
  stream.WriteU8(static_cast<std::uint8_t>(bytes.size()));
  stream.WriteBuffer(bytes.data(), bytes.size());
}

std::uint16_t ReadElementCount(ByteStream& stream) {
  const std::uint16_t count = stream.ReadU16();
  if (count > kMaxMeasureElements) throw EFileDamage();
  return count;
}

void WriteCount(ByteStream& stream, std::size_t count, std::size_t limit) {
  if (count > limit) {
    throw EWriteError("A list of " + std::to_string(count) + " entries is too long to store");
  }
  stream.WriteU16(static_cast<std::uint16_t>(count));
}
