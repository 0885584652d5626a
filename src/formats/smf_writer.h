#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/stream.h"

// Writing Standard MIDI files: tracks filled event by event at absolute
// ticks, and the format-1 file around them.

// The largest delta a variable-length quantity of four bytes holds.
inline constexpr std::int64_t kMaxSmfDelta = 0x0FFFFFFF;

class SmfTrackWriter {
 public:
  // A channel event; `data2` is left out for program change and channel
  // pressure. Ticks never go back: an earlier tick is taken as the last one.
  void ChannelEvent(std::int64_t tick, std::uint8_t status, std::uint8_t data1, std::uint8_t data2 = 0);
  void MetaEvent(std::int64_t tick, std::uint8_t type, std::span<const std::uint8_t> data);
  void TextEvent(std::int64_t tick, std::uint8_t type, const std::string& text);

  bool Used() const { return !bytes_.empty(); }
  // The events, without the end-of-track event.
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  // Raises EWriteError for a gap no four-byte quantity holds.
  void Delta(std::int64_t tick);
  void Quantity(std::uint32_t value);

  std::vector<std::uint8_t> bytes_;
  std::int64_t last_ = 0;
};

// "MThd" (format 1, the track count, the division), then each track as
// "MTrk" with its events and the end-of-track event.
void WriteSmfFile(ByteStream& stream, const std::vector<const SmfTrackWriter*>& tracks, int division);
