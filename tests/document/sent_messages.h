#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/sound/test_midi_ports.h"

// What the port was sent, as "<ms> <bytes>" lines in hexadecimal.
inline std::vector<std::string> SentMessages(const nv::platform::TestMidiPorts& ports) {
  std::vector<std::string> lines;
  for (const auto& call : ports.Calls()) {
    std::string line = std::to_string(call.TimeNs / 1'000'000);
    for (std::uint8_t byte : call.Bytes) {
      char hex[4];
      std::snprintf(hex, sizeof hex, " %02X", byte);
      line += hex;
    }
    lines.push_back(line);
  }
  return lines;
}
