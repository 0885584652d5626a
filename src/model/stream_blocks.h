#pragma once

#include <array>
#include <cstdint>
#include <exception>
#include <span>
#include <vector>

#include "model/read_limits.h"
#include "model/stream.h"

// The framing shared by the blocks of a score stream: block markers with a
// patched length, sized records, and how a stream of blocks is to be read.

struct IncomingLink;

// The version every writer writes.
inline constexpr std::uint16_t kScoreFileVersion = 880;
// The largest count of notes, attributes, rests or items in a measure block.
inline constexpr std::uint32_t kMaxMeasureElements = 10000;
// The most entries a list with a u16 count holds.
inline constexpr std::size_t kMaxStreamCount = 65535;
// The longest block with a two-byte length field (a measure block).
inline constexpr std::int64_t kMaxShortBlockLength = 0xFFFF;

// What the block readers need to know about the stream they read: its file
// version and form, and whether it is an undo or clipboard payload (which
// carries the links that reach a measure from later ones).
struct ScoreStreamContext {
  std::uint16_t Version = kScoreFileVersion;
  // Marker 250 streams: measures without rest lists.
  bool OldestForm = false;
  bool UndoMode = false;
  // Ticks of a measure under the score's time signature; sizes the spacing
  // tables of the oldest files.
  int DefaultMeasureLength = 128;
  // Set when the caller rebuilds beams and resolves links after a whole row
  // or instrument, so that a measure reader does neither.
  bool Deferred = false;
  // In undo mode, when set: the links that notes of later measures hold on
  // the notes read are listed here for the caller to connect, instead of
  // being connected at once (undo decides which of two restored measures
  // tells the truth about a link between them).
  std::vector<IncomingLink>* IncomingLinks = nullptr;
  // Set when reading a whole score stream: the measures it asked for so far.
  ReadBudget* Budget = nullptr;
};

// Writes a block's marker and a length placeholder of 2 or 4 bytes; Finish
// patches in the distance from the marker to the current end. When writing
// raised, the destructor still patches what was written.
class BlockWriter {
 public:
  BlockWriter(ByteStream& stream, std::uint8_t marker, int lengthBytes);
  ~BlockWriter();
  BlockWriter(const BlockWriter&) = delete;
  BlockWriter& operator=(const BlockWriter&) = delete;

  // Raises EWriteError when the block is too long for its length field.
  void Finish();

 private:
  void Patch(std::int64_t length);

  ByteStream& stream_;
  std::int64_t start_;
  int lengthBytes_;
  bool finished_ = false;
  int exceptionsAtStart_;
};

// Reads the length field of a block whose marker was just read at `start`
// and runs `body` limited to the block. A stream failure inside the body is
// taken as damage of this block alone: the stream moves to the block's end
// and false is returned. A length that cannot be right raises EFileDamage to
// the enclosing reader; a stream past a read limit (EFileLimit) fails the
// whole reading.
template <typename Body>
bool ReadBlockBody(ByteStream& stream, std::int64_t start, int lengthBytes, Body body) {
  const std::int64_t length = lengthBytes == 2 ? stream.ReadU16() : stream.ReadU32();
  const std::int64_t header = stream.Position() - start;
  if (length < header) throw EFileDamage();
  StreamLimit limit(stream, length - header);
  bool intact = true;
  try {
    body();
  } catch (const EFileLimit&) {
    throw;
  } catch (const EStreamError&) {
    intact = false;
  }
  // Past whatever a newer writer added, or the damaged rest.
  limit.SkipToEnd();
  return intact;
}

// A sized record as stored: a byte count, then that many bytes.
struct SizedRecord {
  std::array<std::uint8_t, 255> Bytes{};
  std::uint8_t Size = 0;
  std::span<const std::uint8_t> Span() const { return {Bytes.data(), Size}; }
};

SizedRecord ReadSizedRecord(ByteStream& stream);
void WriteSizedRecord(ByteStream& stream, std::span<const std::uint8_t> bytes);

// Stores a record through its Store(span) into `size` bytes and writes them
// as a sized record.
template <typename Record>
void WriteRecord(ByteStream& stream, const Record& record, std::size_t size) {
  std::array<std::uint8_t, 64> bytes{};
  record.Store(std::span<std::uint8_t>(bytes.data(), size));
  WriteSizedRecord(stream, std::span<const std::uint8_t>(bytes.data(), size));
}

// Reads a u16 count of elements in a measure block; above the limit the
// block is damaged.
std::uint16_t ReadElementCount(ByteStream& stream);
// Writes a count; raises EWriteError above `limit`.
void WriteCount(ByteStream& stream, std::size_t count, std::size_t limit = kMaxStreamCount);
