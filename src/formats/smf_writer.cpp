#include "formats/smf_writer.h"

#include <string>

namespace {

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

constexpr std::uint8_t kEndOfTrack[] = {0x00, 0xFF, 0x2F, 0x00};

}  // namespace

void SmfTrackWriter::Quantity(std::uint32_t value) {
  std::uint8_t groups[4];
  int count = 0;
  do {
    groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0 && count < 4);
  while (count > 1) bytes_.push_back(static_cast<std::uint8_t>(0x80 | groups[--count]));
  bytes_.push_back(groups[0]);
}

void SmfTrackWriter::Delta(std::int64_t tick) {
  const std::int64_t delta = tick > last_ ? tick - last_ : 0;
  if (delta > kMaxSmfDelta) throw EWriteError("MIDI file: a pause is too long for one delta time");
  Quantity(static_cast<std::uint32_t>(delta));
  last_ += delta;
}

void SmfTrackWriter::ChannelEvent(std::int64_t tick, std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
  Delta(tick);
  bytes_.push_back(status);
  bytes_.push_back(data1 & 0x7F);
  const int kind = status & 0xF0;
  if (kind != 0xC0 && kind != 0xD0) bytes_.push_back(data2 & 0x7F);
}

void SmfTrackWriter::MetaEvent(std::int64_t tick, std::uint8_t type, std::span<const std::uint8_t> data) {
  Delta(tick);
  bytes_.push_back(0xFF);
  bytes_.push_back(type);
  Quantity(static_cast<std::uint32_t>(data.size()));
  bytes_.insert(bytes_.end(), data.begin(), data.end());
}

void SmfTrackWriter::TextEvent(std::int64_t tick, std::uint8_t type, const std::string& text) {
  MetaEvent(tick, type, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

void WriteSmfFile(ByteStream& stream, const std::vector<const SmfTrackWriter*>& tracks, int division) {
  std::vector<std::uint8_t> header{'M', 'T', 'h', 'd'};
  PutBigEndian(header, 6, 4);
  PutBigEndian(header, 1, 2);
  PutBigEndian(header, static_cast<std::uint32_t>(tracks.size()), 2);
  PutBigEndian(header, static_cast<std::uint32_t>(division), 2);
  stream.WriteBuffer(header.data(), header.size());
  for (const SmfTrackWriter* track : tracks) {
    std::vector<std::uint8_t> chunk{'M', 'T', 'r', 'k'};
    PutBigEndian(chunk, static_cast<std::uint32_t>(track->Bytes().size() + sizeof kEndOfTrack), 4);
    stream.WriteBuffer(chunk.data(), chunk.size());
    stream.WriteBuffer(track->Bytes().data(), track->Bytes().size());
    stream.WriteBuffer(kEndOfTrack, sizeof kEndOfTrack);
  }
}
