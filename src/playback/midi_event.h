#pragma once

#include <cstdint>
#include <vector>

// One received or to-be-sent MIDI event. A system-exclusive block has status
// 0xF0 and carries its own copy of the bytes.
struct TMyMidiEvent {
  std::uint8_t MidiMessage = 0;
  std::uint8_t Data1 = 0;
  std::uint8_t Data2 = 0;
  // Milliseconds since the input was started.
  std::uint32_t Time = 0;
  std::uint16_t SysexLength = 0;
  std::vector<std::uint8_t> Sysex;
};
