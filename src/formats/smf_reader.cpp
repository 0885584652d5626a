#include "formats/smf_reader.h"

#include <algorithm>

namespace {

constexpr std::uint32_t Tag(char a, char b, char c, char d) {
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(a)) << 24 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(b)) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(c)) << 8 | static_cast<std::uint8_t>(d);
}

constexpr std::uint32_t kHeaderTag = Tag('M', 'T', 'h', 'd');
constexpr std::uint32_t kTrackTag = Tag('M', 'T', 'r', 'k');
constexpr std::int64_t kHeaderLength = 6;
constexpr int kQuantityBytes = 4;

std::uint32_t ReadBigEndian(ByteStream& stream, int bytes) {
  std::uint8_t buffer[4] = {};
  stream.ReadBuffer(buffer, static_cast<std::size_t>(bytes));
  std::uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value = value << 8 | buffer[i];
  return value;
}

// Data bytes of a system common or real-time status that may stray into a
// track (song position, song select, time code, tune request, clock, start,
// continue, stop, active sensing); -1 for any other.
int SystemDataBytesOf(std::uint8_t status) {
  switch (status) {
    case 0xF2: return 2;
    case 0xF1:
    case 0xF3: return 1;
    case 0xF6:
    case 0xF8:
    case 0xFA:
    case 0xFB:
    case 0xFC:
    case 0xFE: return 0;
    default: return -1;
  }
}

// Data bytes that follow a channel status: two, or one for program change
// and channel pressure.
int DataBytesOf(std::uint8_t status) {
  const int kind = status & 0xF0;
  return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

}  // namespace

// --- track events -----------------------------------------------------------------

bool SmfTrackReader::Fail() {
  damaged_ = true;
  ended_ = true;
  return false;
}

bool SmfTrackReader::ReadByte(std::uint8_t& value) {
  if (position_ >= body_.size()) return false;
  value = body_[position_++];
  return true;
}

bool SmfTrackReader::ReadQuantity(std::uint32_t& value) {
  value = 0;
  for (int i = 0; i < kQuantityBytes; ++i) {
    std::uint8_t byte = 0;
    if (!ReadByte(byte)) return false;
    value = value << 7 | (byte & 0x7F);
    if (!(byte & 0x80)) return true;
  }
  return false;
}

bool SmfTrackReader::Next(SmfEvent& event) {
  if (ended_) return false;
  // A track that stops between events without its end-of-track event has
  // lost nothing.
  if (position_ >= body_.size()) {
    ended_ = true;
    return false;
  }
  std::uint8_t status = 0;
  for (;;) {
    std::uint32_t delta = 0;
    if (!ReadQuantity(delta)) return Fail();
    tick_ += delta;
    if (!ReadByte(status)) return Fail();
    // A stray system byte is no track event: it is passed over with its
    // data and the track read on, marked damaged.
    const int skip = SystemDataBytesOf(status);
    if (skip < 0) break;
    damaged_ = true;
    if (static_cast<std::size_t>(skip) > body_.size() - position_) return Fail();
    position_ += static_cast<std::size_t>(skip);
    if (position_ >= body_.size()) {
      ended_ = true;
      return false;
    }
  }
  event = SmfEvent{};
  event.Tick = tick_;
  if (status < 0x80) {
    // A data byte: running status, which only a channel event sets.
    if (runningStatus_ == 0) return Fail();
    --position_;
    status = runningStatus_;
  }
  event.Status = status;
  if (status < 0xF0) {
    runningStatus_ = status;
    std::uint8_t data = 0;
    if (!ReadByte(data)) return Fail();
    event.Data1 = data & 0x7F;
    if (DataBytesOf(status) == 2) {
      if (!ReadByte(data)) return Fail();
      event.Data2 = data & 0x7F;
    }
    return true;
  }
  if (status == kSmfMeta && !ReadByte(event.MetaType)) return Fail();
  if (status != kSmfMeta && status != 0xF0 && status != 0xF7) return Fail();
  std::uint32_t length = 0;
  if (!ReadQuantity(length)) return Fail();
  if (length > body_.size() - position_) return Fail();
  event.Data = body_.subspan(position_, length);
  position_ += length;
  if (status == kSmfMeta && event.MetaType == kSmfEndOfTrack) {
    ended_ = true;
    return false;
  }
  return true;
}

// --- chunks -------------------------------------------------------------------------

SmfFileReader::SmfFileReader(ByteStream& stream) : stream_(stream) {
  Chunk chunk;
  if (!NextChunk(chunk) || chunk.Tag != kHeaderTag || chunk.Length < kHeaderLength) throw EFileDamage();
  {
    StreamLimit limit(stream_, chunk.Length);
    header_.Format = static_cast<int>(ReadBigEndian(stream_, 2));
    header_.TrackCount = static_cast<int>(ReadBigEndian(stream_, 2));
    const std::uint32_t division = ReadBigEndian(stream_, 2);
    if (division & 0x8000) throw SmfDivisionError("MIDI file timed in SMPTE frames cannot be imported");
    if (division == 0) throw SmfDivisionError("MIDI file with a division of 0 ticks cannot be imported");
    header_.Division = static_cast<int>(division);
    limit.SkipToEnd();
  }
}

bool SmfFileReader::NextChunk(Chunk& chunk) {
  const std::int64_t left = stream_.Remaining();
  if (left == 0) return false;
  if (left < 8) {
    damaged_ = true;
    stream_.Skip(left);
    return false;
  }
  chunk.Tag = ReadBigEndian(stream_, 4);
  const std::int64_t length = ReadBigEndian(stream_, 4);
  chunk.Length = std::min(length, stream_.Remaining());
  if (chunk.Length < length) damaged_ = true;
  return true;
}

bool SmfFileReader::NextTrack(std::vector<std::uint8_t>& body) {
  Chunk chunk;
  while (NextChunk(chunk)) {
    if (chunk.Tag == kTrackTag) {
      body = stream_.ReadBytes(static_cast<std::size_t>(chunk.Length));
      return true;
    }
    stream_.Skip(chunk.Length);
  }
  return false;
}
