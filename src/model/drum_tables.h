#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/page_objects.h"

// A named drum-head symbol: layout values of the drum style and the shapes
// drawn in place of a normal note head.
struct TECDrumHead {
  std::string Name;
  std::int32_t First = 0;
  std::int32_t Second = 0;
  std::uint8_t Third = 0;
  std::vector<std::unique_ptr<TECPageObject>> Shapes;
};

// Which MIDI key a written drum note plays.
struct TECDrumMapEntry {
  std::uint8_t Pitch = 0;
  std::uint8_t Head = 255;  // index into the drum heads; 255 = normal head
  std::uint8_t Position = 0;
  std::uint8_t Reserved = 0;
  std::uint8_t Use = 0;
  std::string Name;
};
