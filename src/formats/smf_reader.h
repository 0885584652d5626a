#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "model/stream.h"

// Reading Standard MIDI files with the bounds of every reader of ours: a
// chunk is read as at most the bytes left, a variable-length quantity has at
// most four bytes, and every meta and system-exclusive length is checked
// against its chunk before it is used. Damage inside a track ends that track
// and is reported; only a file without a usable header raises.

// Ticks per quarter note of 0, or a division in SMPTE frames: the file gives
// no musical time to import.
class SmfDivisionError : public EFileDamage {
 public:
  using EFileDamage::EFileDamage;
};

struct SmfHeader {
  int Format = 0;
  int TrackCount = 0;
  // Ticks per quarter note, 1..32767.
  int Division = 0;
};

// One track event. Channel events carry 7-bit data bytes; meta (0xFF) and
// system-exclusive (0xF0, 0xF7) events carry their payload, which lives in
// the track body the reader was given.
struct SmfEvent {
  std::int64_t Tick = 0;
  std::uint8_t Status = 0;
  std::uint8_t Data1 = 0;
  std::uint8_t Data2 = 0;
  std::uint8_t MetaType = 0;
  std::span<const std::uint8_t> Data;

  int Channel() const { return Status & 0x0F; }
  int Kind() const { return Status & 0xF0; }
};

inline constexpr std::uint8_t kSmfMeta = 0xFF;
inline constexpr std::uint8_t kSmfEndOfTrack = 0x2F;

// Walks the events of one track body, with absolute times.
class SmfTrackReader {
 public:
  explicit SmfTrackReader(std::span<const std::uint8_t> body) : body_(body) {}

  // The next event; false at the end-of-track event, at the end of the body,
  // or where the track is damaged (see Damaged).
  bool Next(SmfEvent& event);
  // The track ended inside an event, at a data byte with no status before
  // it, at a status byte 0xF1..0xFE, or at a quantity of five bytes.
  bool Damaged() const { return damaged_; }

 private:
  bool ReadByte(std::uint8_t& value);
  bool ReadQuantity(std::uint32_t& value);
  bool Fail();

  std::span<const std::uint8_t> body_;
  std::size_t position_ = 0;
  std::int64_t tick_ = 0;
  std::uint8_t runningStatus_ = 0;
  bool ended_ = false;
  bool damaged_ = false;
};

// Walks the chunks of a file from the stream's position to its end.
class SmfFileReader {
 public:
  // Reads the "MThd" chunk, which must come first. Raises EFileDamage
  // ("File is damage") when there is none or it is too short, and
  // SmfDivisionError for a division the import cannot use.
  explicit SmfFileReader(ByteStream& stream);

  const SmfHeader& Header() const { return header_; }
  // The body of the next "MTrk" chunk; chunks of other kinds are passed
  // over. False at the end of the file.
  bool NextTrack(std::vector<std::uint8_t>& body);
  // A chunk or chunk header was cut short by the end of the file.
  bool Damaged() const { return damaged_; }

 private:
  struct Chunk {
    std::uint32_t Tag = 0;
    // What the file holds of the chunk: its length, or less when the file
    // ends first.
    std::int64_t Length = 0;
  };
  // False at the end of the file, or at a chunk header cut short.
  bool NextChunk(Chunk& chunk);

  ByteStream& stream_;
  SmfHeader header_;
  bool damaged_ = false;
};
